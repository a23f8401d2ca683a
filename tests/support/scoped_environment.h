#pragma once
#include <cstdlib>
#include <optional>
#include <string>

namespace frost::testing {

// Sets (or, with nullopt, removes) an environment variable for the scope of a test.
class ScopedEnvironment {
 public:
  ScopedEnvironment(std::string name, const std::optional<std::string>& value)
      : name_(std::move(name)) {
    if (const char* old = std::getenv(name_.c_str())) {
      old_ = old;
    }
    Set(value);
  }
  ~ScopedEnvironment() { Set(old_); }
  ScopedEnvironment(const ScopedEnvironment&) = delete;
  ScopedEnvironment& operator=(const ScopedEnvironment&) = delete;

 private:
  void Set(const std::optional<std::string>& value) {
#ifdef _WIN32
    // An empty value removes the variable there; Windows keeps no empty variables this way.
    ::_putenv_s(name_.c_str(), value ? value->c_str() : "");
#else
    if (value) {
      ::setenv(name_.c_str(), value->c_str(), 1);
    } else {
      ::unsetenv(name_.c_str());
    }
#endif
  }

  std::string name_;
  std::optional<std::string> old_;
};

}  // namespace frost::testing
