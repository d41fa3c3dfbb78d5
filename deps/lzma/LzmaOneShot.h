/* One-shot LZMA compress and uncompress over the LZMA SDK's encoder and decoder.
   Both return an SDK result code (SZ_OK on success). */
#ifndef ZV_LZMA_ONE_SHOT_H
#define ZV_LZMA_ONE_SHOT_H

#include <stddef.h>

#ifdef __cplusplus
extern "C" {
#endif

#define LZMA_PROPS_SIZE 5

/* Compresses src into dest (capacity *destLen, set to the bytes written) and writes the
   5 property bytes into outProps (*outPropsSize must be at least 5). Settings below 0
   (or dictSize 0) keep the encoder's default for the level. */
int LzmaCompress(unsigned char *dest, size_t *destLen, const unsigned char *src, size_t srcLen,
                 unsigned char *outProps, size_t *outPropsSize, int level, unsigned dictSize,
                 int lc, int lp, int pb, int fb, int numThreads);

/* Uncompresses src (*srcLen bytes, set to the bytes used) into dest (capacity *destLen,
   set to the bytes written) with the given property bytes. */
int LzmaUncompress(unsigned char *dest, size_t *destLen, const unsigned char *src, size_t *srcLen,
                   const unsigned char *props, size_t propsSize);

#ifdef __cplusplus
}
#endif

#endif
