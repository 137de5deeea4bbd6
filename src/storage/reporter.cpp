#include "storage/reporter.h"

#include <chrono>
#include <thread>

namespace vormel::storage {

bool QuietReporter::wait(int ms) {
  std::this_thread::sleep_for(std::chrono::milliseconds(ms));
  return false;
}

}  // namespace vormel::storage
