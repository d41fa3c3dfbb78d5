// Test module without a factory: it exports one unrelated function.
extern "C" __attribute__((visibility("default"))) int PlainModuleAnswer()
{
	return 7;
}
