#pragma once
// Text ids of what velmar-cli says, from the language files.

namespace velmar::cli {

inline constexpr int kTextFileError = 9002;
inline constexpr int kTextCannotOpenPort = 9003;
inline constexpr int kTextReadQuestion = 9004;
inline constexpr int kTextWriteQuestion = 9005;
inline constexpr int kTextOk = 9017;
inline constexpr int kTextCancel = 9018;
inline constexpr int kTextReading = 9027;
inline constexpr int kTextWriting = 9028;
inline constexpr int kTextPasswordLabel = 23101;

inline constexpr int kTextGivePassword = 32115;
inline constexpr int kTextSavedAs = 32116;
inline constexpr int kTextBackupSaved = 32117;
inline constexpr int kTextDeclined = 32118;
inline constexpr int kTextFailed = 32119;
inline constexpr int kTextRestoreQuestion = 32120;
inline constexpr int kTextCsvRow = 32121;                   // %1 the row, %2 the reason
inline constexpr int kTextCsvRefusedNothingWritten = 32122; // %1 rows
inline constexpr int kTextCsvRefusedLeftOut = 32123;        // %1 rows
inline constexpr int kTextCsvRowsImported = 32124;          // %1 rows
inline constexpr int kTextCsvUnreadable = 32125;
inline constexpr int kTextCsvTooLarge = 32126;

} // namespace velmar::cli
