-- wrk script: POSTs the body in $ORDALIS_BODY_FILE to every request and counts replies that
-- are not "Success!", so that a refused upload can never pass for a fast one.
local body_file = os.getenv("ORDALIS_BODY_FILE")
local f = assert(io.open(body_file, "rb"))
wrk.method = "POST"
wrk.body = f:read("*a")
f:close()
wrk.headers["Content-Type"] = "application/x-www-form-urlencoded"

local threads = {}

function setup(thread)
  table.insert(threads, thread)
end

function init(args)
  failures = 0
end

function response(status, headers, body)
  if status ~= 200 or body ~= "Success!" then
    failures = failures + 1
  end
end

function done(summary, latency, requests)
  local failed = 0
  for _, thread in ipairs(threads) do
    failed = failed + thread:get("failures")
  end
  io.write(string.format("refused_or_failed %d\n", failed))
end
