#pragma once
// The few conditions a test machine may be unable to make, each with its
// reason, in one place. A test that needs one is skipped with that reason,
// never passed in silence; scripts/test-windows.sh prints every such skip.

namespace pinakos::test {

// The full-disk tests limit the size of the files this process may write
// (FileSizeLimit). Windows has no such per-process limit, and Wine none of
// its own; a full disk would have to be a real one.
inline constexpr char kNoFileSizeLimit[] =
    "no per-process file size limit on this system (Windows has none), so no full disk can be made";

// The read-only tests take the right to write away from a folder
// (ReadOnlyTree). Where this user writes anyway (root on a file system
// without the immutable flag; Wine run by root, which lets Unix decide, and
// Unix lets root write), there is nothing to test.
inline constexpr char kNoReadOnlyFolder[] = "this user writes into read-only folders here (root, or Wine run by root)";

// A file whose read rights are taken away stays readable to root, and under
// Wine (run by root) the rights cannot even be taken.
inline constexpr char kNoUnreadableFile[] = "this user reads any file here (root, or Wine run by root)";

// The print tests read the PDF they printed back with poppler's pdftotext
// and pdfinfo. Wine starts Windows programs only, and this machine's
// poppler is Linux's; on Windows with poppler on the PATH they run.
inline constexpr char kNoPdfTools[] = "poppler's pdftotext and pdfinfo are not on the PATH (under Wine only Linux's "
                                      "are here, and Wine cannot start them)";

} // namespace pinakos::test
