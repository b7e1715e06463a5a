// SHA-256 (FIPS 180-4), fed in pieces of any length.
#pragma once
#include <stddef.h>
#include <stdint.h>

#define SHA256_SIZE 32

struct Sha256 {
    uint32_t state[8];
    uint64_t length;          // bytes fed so far
    unsigned char block[64];  // the part of a block fed so far
};

void StartSha256(Sha256& hash);
void AddToSha256(Sha256& hash, const void* data, size_t size);
void FinishSha256(Sha256& hash, unsigned char digest[SHA256_SIZE]);
