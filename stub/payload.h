// The payload of a bundle: the package folder appended to the stub as one solid LZMA stream.
// glmpack writes it and the stub reads it; both build this file and sha256.cpp.
//
// The payload starts right after the end of the stub's last section and ends where the file ends,
// or where a signature's certificate table begins (signing appends the table after it and keeps
// the sections, so the payload is found the same way before and after signing):
//   magic    8 bytes, "GlmPack1"
//   length   8 bytes, little-endian: the length of the stream
//   digest   32 bytes: SHA-256 of the stream
//   stream   LZMA in the .lzma form: 5 bytes of coder properties, the unpacked length (8 bytes,
//            little-endian; all ones when unknown, the stream then ends with an end mark), the data
//   padding  up to 7 zero bytes, so a signature's table that follows starts on 8 bytes
// Unpacked, the stream is a list of files, each one
//   name length (2 bytes, little-endian), name (UTF-8, folders separated by "\"),
//   file length (8 bytes, little-endian), contents,
// and a name length of 0 ends the list.
#pragma once
#include <stddef.h>
#include <stdint.h>

#define PAYLOAD_MAGIC "GlmPack1"
#define PAYLOAD_MAGIC_SIZE 8
#define PAYLOAD_DIGEST_SIZE 32
#define PAYLOAD_HEADER_SIZE (PAYLOAD_MAGIC_SIZE + 8 + PAYLOAD_DIGEST_SIZE)
#define PAYLOAD_ALIGNMENT 8
// The .lzma form's own header: the coder properties and the unpacked length.
#define STREAM_PROPS_SIZE 5
#define STREAM_HEADER_SIZE (STREAM_PROPS_SIZE + 8)
#define STREAM_SIZE_UNKNOWN UINT64_MAX
// Longest member name in bytes; longer ones could not be opened by the setup's ANSI paths anyway.
#define MEMBER_NAME_MAX 240

uint64_t ReadLittleEndian(const unsigned char* bytes, int count);
void WriteLittleEndian(unsigned char* bytes, int count, uint64_t value);

// A member name stays inside the folder it is unpacked into: relative, its parts separated by
// single backslashes, no part "." or "..", no drive or stream (no ":"), no part Windows would
// change or take for a device (ending in a dot or blank, CON, NUL, COM1 ...), no control
// characters or characters Windows refuses in names. name need not end with a NUL.
bool IsSafeMemberName(const char* name, size_t length);
