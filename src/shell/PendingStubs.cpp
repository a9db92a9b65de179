// Operations whose modules are still being written.  Each block is removed when
// its module lands; nothing here is the real behaviour.  (Every module has
// landed.)
