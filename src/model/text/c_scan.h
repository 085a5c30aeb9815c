#pragma once
// Characters as the C library's number scanning reads them: the table keys
// and the Text page's hex boxes both read numbers the way "%X" does.

namespace kivo {

// isspace in the "C" locale.
inline bool IsCSpace(char c) {
  return c == ' ' || (c >= '\t' && c <= '\r');
}

// The value of a hex digit, or -1.
inline int HexDigit(char c) {
  if (c >= '0' && c <= '9')
    return c - '0';
  if (c >= 'a' && c <= 'f')
    return c - 'a' + 10;
  if (c >= 'A' && c <= 'F')
    return c - 'A' + 10;
  return -1;
}

}  // namespace kivo
