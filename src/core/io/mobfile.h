#pragma once
// What the mobile file's layout tells others.

namespace zm {

// The always-written extended keys by bit of TMob::AbsentKeys; null past
// the last.
const char* ExtendedKeyName(int bit);

}  // namespace zm
