-- Panel helpers would live here; the sample only says it ran.
MsgN("vgui_base: loaded")
