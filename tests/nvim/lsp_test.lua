-- Neovim's own LSP client (the API of 0.7, which later versions keep), set up by the README's
-- Lua for 0.7 as it stands there, attached to uparse-lsp over a syntax file with mistakes: the
-- diagnostics' ranges and texts, completion after "/" and inside a subcommand, hover. Run
-- headless by CTest (tests/cmake/neovim.cmake) with the built uparse-lsp first on PATH; exits 0
-- when every check holds, else 1 after saying which failed. Every wait is bounded.
local timeout = 30000

local function check(holds, text)
  if not holds then
    error(text, 0)
  end
end

local function describe(value)
  return vim.inspect(value, { newline = ' ', indent = '' })
end

local text = {
  "SKETCH age /TITLE 'Café' /STATS CENTRE.",
  '',
  'SKECTH age.',
  'SKETCH income',
  '  /STATS CENTER',
  '  /FORMAT ORDER = ',
}

local function request(buf, method, line, character)
  local params = {
    textDocument = { uri = vim.uri_from_bufnr(buf) },
    position = { line = line, character = character },
  }
  local answers, err = vim.lsp.buf_request_sync(buf, method, params, timeout)
  check(answers, method .. ' got no answer: ' .. tostring(err))
  for _, answer in pairs(answers) do
    check(not answer.err, method .. ' failed: ' .. describe(answer.err))
    return answer.result
  end
  error(method .. ': no client answered', 0)
end

local function labels(result)
  local found = {}
  for _, item in ipairs(result and (result.items or result) or {}) do
    found[item.label] = true
  end
  return found
end

-- The Lua the README gives for Neovim 0.7.
local function readme_setup()
  local source = os.getenv('UPARSER_SOURCE_DIR')
  check(source, 'UPARSER_SOURCE_DIR must name the source tree')
  local readme = table.concat(vim.fn.readfile(source .. '/README.md'), '\n')
  local marker = readme:find('<!-- uparse-lsp neovim-0.7 -->', 1, true)
  check(marker, 'README.md has no block marked <!-- uparse-lsp neovim-0.7 -->')
  local block = readme:match('```lua\n(.-)\n```', marker)
  check(block, 'README.md has no ```lua block after its neovim-0.7 marker')
  local setup, problem = loadstring(block, 'README.md neovim-0.7 block')
  check(setup, 'the README\'s Lua does not load: ' .. tostring(problem))
  setup()
end

local function run()
  check(vim.fn.executable('uparse-lsp') == 1, 'the built uparse-lsp must be on PATH')
  readme_setup()
  local dir = vim.fn.tempname()
  vim.fn.mkdir(dir, 'p')
  local path = dir .. '/mistakes.syntax'
  vim.fn.writefile(text, path)
  -- The workspace's settings reach the server through the client's root: the library's own
  -- texts instead of the English catalog the server loads by default.
  vim.fn.writefile({ '{"messages": "none"}' }, dir .. '/uparse.json')
  vim.cmd('edit ' .. vim.fn.fnameescape(path))
  local buf = vim.api.nvim_get_current_buf()
  -- A client counts as the buffer's once it is initialized.
  vim.wait(timeout, function() return next(vim.lsp.buf_get_clients(buf)) ~= nil end, 50)
  local clients = vim.lsp.buf_get_clients(buf)
  check(#vim.tbl_keys(clients) == 1 and select(2, next(clients)).config.root_dir == dir,
    'the README\'s setup should attach one uparse-lsp rooted at ' .. dir .. ', got '
    .. describe(vim.tbl_map(function(c) return c.config.root_dir end, clients)))

  check(vim.wait(timeout, function() return #vim.diagnostic.get(buf) >= 4 end, 50),
    'no diagnostics within ' .. timeout .. ' ms; got ' .. describe(vim.diagnostic.get(buf)))
  local diagnostics = vim.diagnostic.get(buf)
  table.sort(diagnostics, function(a, b)
    if a.lnum ~= b.lnum then return a.lnum < b.lnum end
    if a.col ~= b.col then return a.col < b.col end
    return a.severity < b.severity
  end)
  local function expect(index, lnum, col, end_col, severity, message)
    local d = diagnostics[index]
    check(d and d.lnum == lnum and d.end_lnum == lnum and d.col == col and d.end_col == end_col
      and d.severity == severity and d.message == message,
      'diagnostic ' .. index .. ' should be ' .. describe({ lnum, col, end_col, severity, message })
      .. ', got ' .. describe(d))
  end
  local E, I = vim.diagnostic.severity.ERROR, vim.diagnostic.severity.INFO
  -- The client counts bytes; the server, UTF-16 units: "é" is one unit and two bytes.
  expect(1, 0, 33, 39, E, 'Parameter CENTRE of subcommand STATS does not have a proper value type...')
  expect(2, 0, 33, 39, I, 'did you mean CENTER?')
  expect(3, 2, 0, 6, E, "unknown command 'SKECTH'; parsed without a grammar")
  expect(4, 2, 0, 6, I, 'did you mean SKETCH?')

  -- An edit after the "é", sent by the client's incremental sync: the finding goes, the others
  -- stay where they were.
  vim.api.nvim_buf_set_text(buf, 0, 33, 0, 39, { 'CENTER' })
  check(vim.wait(timeout, function()
    local first_line, skecth = false, false
    for _, d in ipairs(vim.diagnostic.get(buf)) do
      first_line = first_line or d.lnum == 0
      skecth = skecth or (d.lnum == 2 and d.col == 0 and d.end_col == 6)
    end
    return skecth and not first_line
  end, 50), 'after CENTRE became CENTER only the later findings should stay, got '
    .. describe(vim.diagnostic.get(buf)))

  local after_slash = labels(request(buf, 'textDocument/completion', 4, 3))
  check(after_slash.STATS and after_slash.FORMAT and not after_slash.ROWWEIGHTS,
    'completion after "/" should offer SKETCH\'s subcommands, got ' .. describe(after_slash))
  local order = labels(request(buf, 'textDocument/completion', 5, 18))
  check(order.ASCENDING and order.DESCENDING and not order.age and not order.STATS,
    'completion after "ORDER = " should offer the keyword\'s words alone, got ' .. describe(order))
  local starts = labels(request(buf, 'textDocument/completion', 1, 0))
  check(starts.SKETCH and starts.WEAVE, 'completion between commands should offer command names, got '
    .. describe(starts))

  local hover = request(buf, 'textDocument/hover', 3, 2)
  local shown = hover and hover.contents and hover.contents.value or ''
  check(shown:find('/STATS', 1, true) and shown:find('/FORMAT', 1, true),
    'hover over SKETCH should show its chart, got ' .. describe(hover))

  vim.lsp.stop_client(vim.tbl_keys(clients))
end

local ok, problem = pcall(run)
if ok then
  vim.cmd('qall!')
else
  io.stderr:write('uparse-lsp in Neovim: ' .. tostring(problem) .. '\n')
  vim.cmd('cquit 1')
end
