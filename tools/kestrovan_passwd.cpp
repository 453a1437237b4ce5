// kestrovan-passwd: writes the stored form of a profile password.
//
//   kestrovan-passwd            read a password, print its stored form
//   kestrovan-passwd --decode   read a stored form, print the password
//   kestrovan-passwd --version | --help
#include <cstdio>
#include <iostream>
#include <random>
#include <string>

#include "common/version.h"
#include "platform/platform.h"
#include "profiles/password.h"
#include "profiles/password_encoder.h"

namespace {

constexpr int kExitOk = 0;
constexpr int kExitDecodeFailed = 1;
constexpr int kExitUsage = 2;

const char kUsage[] =
    "Usage: kestrovan-passwd [--decode | --version | --help]\n"
    "\n"
    "Reads a password (1 to 20 printable ASCII characters) from standard input\n"
    "and prints the 24-character stored form for the \"Password...:\" line of a\n"
    "Kestrovan profile. On a terminal it prompts and does not echo.\n"
    "\n"
    "  --decode   read a stored form and print the password it holds,\n"
    "             or \"invalid\" / \"wrong\" (exit code 1)\n"
    "  --version  print the version\n"
    "  --help     print this text\n";

std::string read_input_line(bool prompt) {
  bool terminal = prompt && kestrovan::platform::stdin_is_terminal();
  if (terminal) {
    std::fputs("Password: ", stderr);
    std::fflush(stderr);
    kestrovan::platform::set_stdin_echo(false);
  }
  std::string line;
  std::getline(std::cin, line);
  if (terminal) {
    kestrovan::platform::set_stdin_echo(true);
    std::fputs("\n", stderr);
  }
  if (!line.empty() && line.back() == '\r') line.pop_back();
  return line;
}

int decode() {
  std::string password;
  switch (kestrovan::unscramble_password(read_input_line(false), password)) {
    case kestrovan::PasswordStatus::kOk:
      std::printf("%s\n", password.c_str());
      return kExitOk;
    case kestrovan::PasswordStatus::kInvalid:
      std::printf("invalid\n");
      return kExitDecodeFailed;
    case kestrovan::PasswordStatus::kWrong:
      std::printf("wrong\n");
      return kExitDecodeFailed;
  }
  return kExitDecodeFailed;
}

int encode() {
  std::string password = read_input_line(true);
  if (password.empty() || password.size() > kestrovan::kMaxPasswordLength) {
    std::fprintf(stderr, "kestrovan-passwd: the password must have 1 to %zu characters\n",
                 kestrovan::kMaxPasswordLength);
    return kExitUsage;
  }
  std::random_device seed;
  std::mt19937 random(seed());
  auto stored = kestrovan::scramble_password(password, random);
  if (!stored) {
    std::fprintf(stderr,
                 "kestrovan-passwd: this password cannot be stored; use printable ASCII "
                 "characters only, or change a character\n");
    return kExitUsage;
  }
  std::printf("%s\n", stored->c_str());
  return kExitOk;
}

}  // namespace

int main(int argc, char** argv) {
  std::string option = argc > 1 ? argv[1] : "";
  if (option == "--help") {
    std::fputs(kUsage, stdout);
    return kExitOk;
  }
  if (option == "--version") {
    std::printf("kestrovan-passwd (%s %s)\n", std::string(kestrovan::kProgramName).c_str(),
                std::string(kestrovan::kVersionText).c_str());
    return kExitOk;
  }
  if (option == "--decode") return decode();
  if (!option.empty()) {
    std::fputs(kUsage, stderr);
    return kExitUsage;
  }
  return encode();
}
