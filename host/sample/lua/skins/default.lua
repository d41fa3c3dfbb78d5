-- The default skin's colours.
skin = { bg = { 40, 44, 52, 255 }, fg = { 220, 220, 220, 255 } }
MsgN("skins/default: loaded")
