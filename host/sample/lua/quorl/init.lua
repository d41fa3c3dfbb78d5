-- The menu's own small library: a counter of frames the menu has seen.
quorl = { frames = 0 }
hook.Add("Think", "quorl.frames", function() quorl.frames = quorl.frames + 1 end)
MsgN("quorl: loaded")
