#pragma once
#include <stdexcept>
#include <string>
#include <utility>

namespace frost {

// A run-time error with its number and description; the error the card's handlers catch.
class RuntimeError : public std::runtime_error {
 public:
  RuntimeError(int number, std::string description)
      : std::runtime_error(std::move(description)), number_(number) {}
  int Number() const { return number_; }

 private:
  int number_;
};

// The card's error numbers, in one place.
namespace error {
inline constexpr int kInvalidCall = 5;
inline constexpr int kOverflow = 6;
inline constexpr int kFileNotFound = 53;
inline constexpr int kBadRecordNumber = 63;
inline constexpr int kPermissionDenied = 70;
inline constexpr int kPathFileAccess = 75;
inline constexpr int kNoSuchArrayElement = 340;  // "Control array element '...' doesn't exist"
inline constexpr int kAlreadyLoaded = 360;       // "Object already loaded"
inline constexpr int kNotSupported = 438;        // "Object doesn't support this property or method"
inline constexpr int kInvalidPicture = 481;
}  // namespace error

// "End at once": thrown to leave every handler and the event loop. Deliberately not derived
// from std::exception so that no error handler can swallow it.
struct EndProgram {};

// Runs one step and swallows its run-time error (resume-next). Anything else passes through:
// EndProgram, and faults of the program itself, which must not be skipped silently.
template <class Step>
void Attempt(Step&& step) {
  try {
    std::forward<Step>(step)();
  } catch (const RuntimeError&) {
  }
}

// Runs each step in turn, skipping any that fails: a procedure in resume-next mode.
template <class... Steps>
void ResumeNext(Steps&&... steps) {
  (Attempt(std::forward<Steps>(steps)), ...);
}

}  // namespace frost
