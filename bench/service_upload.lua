-- wrk script: each thread POSTs the body of its own teacher, $ORDALIS_BODY_DIR/upload-N.body
-- for thread N (run with as many threads as connections), and counts replies that are not
-- "Success!", so that a refused upload can never pass for a fast one.
local body_dir = os.getenv("ORDALIS_BODY_DIR")
local threads = {}
local count = 0

function setup(thread)
  count = count + 1
  thread:set("id", count)
  table.insert(threads, thread)
end

function init(args)
  failures = 0
  local f = assert(io.open(body_dir .. "/upload-" .. id .. ".body", "rb"))
  wrk.method = "POST"
  wrk.body = f:read("*a")
  wrk.headers["Content-Type"] = "application/x-www-form-urlencoded"
  f:close()
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
