-- a numeric loop with an if
local t0 = os.clock()
local n, s = 10000000, 0
for i = 1, n do
  if i > 5000000 then s = s + 1 else s = s + 2 end
end
print(s)
print(os.clock() - t0)
