-- The same program as loops.vbs.
local function mix(a, b)
  return (a * 3 + b) % 1000
end

local function run()
  local total, count = 0, 0
  local parts = {}
  for i = 0, 99 do
    parts[i] = 0
  end
  for i = 1, 1000000 do
    local s = "item" .. (i % 100)
    count = count + #s
    parts[i % 100] = parts[i % 100] + i % 7
    total = total + mix(i, total)
  end
  return total .. " " .. count .. " " .. parts[5]
end

print(run())
