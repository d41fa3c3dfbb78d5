-- The menu proper: greets on start, reports the frames it saw on timers.
hook.Add("MenuStart", "sample.start", function() MsgN("menu: started") end)
hook.Add("GameContentChanged", "sample.content", function() MsgN("menu: game content changed") end)

timer.Simple(0.05, function() MsgN("menu: 0.05 s passed after ", quorl.frames, " frames") end)
timer.Create("sample.tick", 0.25, 2, function() MsgN("menu: tick at frame ", quorl.frames) end)
