// Test module built "for debugging": it exports the BuiltDebug marker and a factory.
extern "C" __attribute__((visibility("default"))) void BuiltDebug()
{
}

extern "C" __attribute__((visibility("default"))) void *CreateInterface(const char *, int *pReturnCode)
{
	if (pReturnCode)
		*pReturnCode = 1;
	return nullptr;
}
