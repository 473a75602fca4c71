-- math functions in a loop
local t0 = os.clock()
local n, s = 1000000, 0
for i = 1, n do
  local x = math.sqrt(i)
  local y = math.sin(x)
  local z = y * 100
  z = (z >= 0 and math.floor(z) or math.ceil(z)) / 100
  z = math.abs(z)
  s = math.max(s, z)
end
print(s)
print(os.clock() - t0)
