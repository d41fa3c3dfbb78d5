includedValue = 42
