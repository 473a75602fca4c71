-- string functions in a loop
local t0 = os.clock()
local n, s, t = 500000, 0, nil
local str = "the quick brown fox jumps over the lazy dog"
for i = 1, n do
  t = string.sub(str, 5, 15)
  local u = string.upper(t)
  local k = #u
  t = string.sub(u, 1, 5) .. "-" .. string.sub(u, 6)
  s = s + k
end
print(s)
print(t)
print(os.clock() - t0)
