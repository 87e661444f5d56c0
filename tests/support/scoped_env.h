#pragma once
// Sets (or unsets) an environment variable for the life of the object and
// puts the old value back afterwards.
#include <cstdlib>
#include <optional>
#include <string>

namespace bv {
namespace test {

class ScopedEnv {
 public:
  // A null value unsets the variable.
  ScopedEnv(const char* name, const char* value) : m_Name(name) {
    if (const char* old = std::getenv(name)) m_Old = old;
    if (value != nullptr) {
      setenv(name, value, 1);
    } else {
      unsetenv(name);
    }
  }
  ~ScopedEnv() {
    if (m_Old) {
      setenv(m_Name.c_str(), m_Old->c_str(), 1);
    } else {
      unsetenv(m_Name.c_str());
    }
  }
  ScopedEnv(const ScopedEnv&) = delete;
  ScopedEnv& operator=(const ScopedEnv&) = delete;

 private:
  std::string m_Name;
  std::optional<std::string> m_Old;
};

}  // namespace test
}  // namespace bv
