-- a text of 100000 pieces, built 20 times
local t0 = os.clock()
local n, t = 100000, ""
for r = 1, 20 do
  local parts = {}
  for i = 1, n do parts[#parts + 1] = "ab" end
  t = table.concat(parts)
end
print(#t)
print(os.clock() - t0)
