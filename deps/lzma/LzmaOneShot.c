/* One-shot LZMA compress and uncompress over the LZMA SDK. */
#include "LzmaOneShot.h"

#include <stdlib.h>

#include "LzmaDec.h"
#include "LzmaEnc.h"

static void *OneShotAlloc(void *p, size_t size) { (void)p; return size ? malloc(size) : NULL; }
static void OneShotFree(void *p, void *address) { (void)p; free(address); }
static ISzAlloc g_OneShotAlloc = { OneShotAlloc, OneShotFree };

int LzmaCompress(unsigned char *dest, size_t *destLen, const unsigned char *src, size_t srcLen,
                 unsigned char *outProps, size_t *outPropsSize, int level, unsigned dictSize,
                 int lc, int lp, int pb, int fb, int numThreads)
{
  CLzmaEncProps props;
  SizeT outLen = *destLen;
  SizeT propsLen = *outPropsSize;
  SRes res;

  LzmaEncProps_Init(&props);
  props.level = level;
  props.dictSize = dictSize;
  props.lc = lc;
  props.lp = lp;
  props.pb = pb;
  props.fb = fb;
  props.numThreads = numThreads;

  res = LzmaEncode(dest, &outLen, src, srcLen, &props, outProps, &propsLen, 0, NULL,
                   &g_OneShotAlloc, &g_OneShotAlloc);
  *destLen = outLen;
  *outPropsSize = propsLen;
  return res;
}

int LzmaUncompress(unsigned char *dest, size_t *destLen, const unsigned char *src, size_t *srcLen,
                   const unsigned char *props, size_t propsSize)
{
  ELzmaStatus status;
  SizeT outLen = *destLen;
  SizeT inLen = *srcLen;
  SRes res = LzmaDecode(dest, &outLen, src, &inLen, props, (unsigned)propsSize, LZMA_FINISH_ANY,
                        &status, &g_OneShotAlloc);
  *destLen = outLen;
  *srcLen = inLen;
  if (res == SZ_OK && status == LZMA_STATUS_NEEDS_MORE_INPUT)
    return SZ_ERROR_INPUT_EOF;
  return res;
}
