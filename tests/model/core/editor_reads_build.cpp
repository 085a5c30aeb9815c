// The rom_editors harness's reads of the editor records, built into the core
// tests for the bad-input tests (bad_input_test.cpp builds the rest of the
// list).
// A file of its own: the editor headers and the text category header cannot
// share one.
#include "../../../fuzz/editor_reads.cpp"
