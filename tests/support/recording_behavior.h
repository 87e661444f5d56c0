#pragma once
// A behaviour for tests of the run order: logs its tag at every Apply and
// "~tag" when deleted, and finishes after a set number of applies (0:
// never). The type number is chosen by the test (15 makes it a wait).
#include <string>
#include <utility>
#include <vector>

#include "engine/level/behavior.h"

namespace bv {
namespace test {

class RecordingBehavior : public BvBehavior {
 public:
  RecordingBehavior(std::vector<std::string>* log, std::string tag, int type = 100,
                    int finishAfter = 0)
      : m_Log(log), m_Tag(std::move(tag)), m_Type(type), m_FinishAfter(finishAfter) {}
  ~RecordingBehavior() override { m_Log->push_back("~" + m_Tag); }

  void Apply(float) override {
    m_Log->push_back(m_Tag);
    if (m_FinishAfter > 0 && ++m_Applied >= m_FinishAfter) Finish();
  }
  int GetType() const override { return m_Type; }

 private:
  std::vector<std::string>* m_Log;
  std::string m_Tag;
  int m_Type;
  int m_FinishAfter;
  int m_Applied = 0;
};

}  // namespace test
}  // namespace bv
