-- Every constant family reaches the globals table with its value.
local function eq(a, b, what) if a ~= b then error(what .. ": expected " .. tostring(b) .. ", got " .. tostring(a), 2) end end

eq(TYPE_TEXTURE, TYPE_PARTICLEEMITTER, "TYPE_TEXTURE")
eq(KEY_XBUTTON_A, JOYSTICK_FIRST_BUTTON, "KEY_XBUTTON_A")
local cases = {
  { "BUTTON_CODE_INVALID", -1 }, { "BUTTON_CODE_COUNT", 172 }, { "TYPE_FILE", 34 }, { "TYPE_COUNT", 38 },
  { "KEY_NONE", 0 }, { "KEY_0", 1 }, { "KEY_A", 11 }, { "KEY_Z", 36 }, { "KEY_PAD_9", 46 }, { "KEY_RIGHT", 91 },
  { "KEY_F1", 92 }, { "KEY_F12", 103 }, { "KEY_SCROLLLOCKTOGGLE", 106 }, { "KEY_COUNT", 107 },
  { "MOUSE_LEFT", 107 }, { "MOUSE_COUNT", 7 }, { "JOYSTICK_LAST", 161 }, { "KEY_XSTICK2_UP", 159 },
  { "FCVAR_CLIENTCMD_CAN_EXECUTE", 1073741824 }, { "FCVAR_CHEAT", 16384 }, { "EF_PARENT_ANIMATES", 512 },
  { "BOX_BOTTOM", 5 }, { "NODOCK", 0 }, { "FILL", 1 }, { "LEFT", 2 }, { "RIGHT", 3 }, { "TOP", 4 }, { "BOTTOM", 5 },
}
for _, c in ipairs(cases) do eq(_G[c[1]], c[2], c[1]) end
eq(MENU_DLL, true, "MENU_DLL")
eq(TEXFILTER.ANISOTROPIC, 3, "TEXFILTER.ANISOTROPIC")
eq(TEXFILTER.POINT, 1, "TEXFILTER.POINT")
eq(NONE, nil, "NONE is not a global")
eq(LINEAR, nil, "LINEAR is not a global")

-- 235 numeric globals, counted by their families.
local count = 0
for k, v in pairs(_G) do
  if type(v) == "number" and (k:match("^TYPE_") or k:match("^KEY_") or k:match("^MOUSE_") or k:match("^JOYSTICK_")
      or k:match("^BUTTON_CODE_") or k:match("^FCVAR_") or k:match("^EF_") or k:match("^BOX_")
      or k == "NODOCK" or k == "FILL" or k == "LEFT" or k == "RIGHT" or k == "TOP" or k == "BOTTOM") then
    count = count + 1
  end
end
eq(count, 235, "numeric constants")
