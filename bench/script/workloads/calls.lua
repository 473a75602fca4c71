-- sub calls
local t0 = os.clock()
local n, s = 10000000, 0
local function add() s = s + 1 end
for i = 1, n do add() end
print(s)
print(os.clock() - t0)
