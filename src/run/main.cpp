#include <string>
#include <vector>

#include "run/sensor.h"

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv, argv + argc);
  return kestrovan::run_sensor(arguments);
}
