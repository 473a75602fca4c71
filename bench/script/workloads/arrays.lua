-- an array of 100000 numbers filled and sorted, 5 times
local t0 = os.clock()
local n, a = 100000, nil
for r = 1, 5 do
  a = {}
  for i = 1, n do a[#a + 1] = math.sin(i) end
  table.sort(a)
end
print(#a .. " " .. a[1])
print(os.clock() - t0)
