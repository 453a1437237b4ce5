// Runs end-to-end scenarios against the real sensor binary, natively or as a
// Windows executable under Wine.
//
// A scenario file holds cases; each case lays out its input files in a fresh
// working directory, runs the program there and compares the whole standard
// output, the exit code and the files the run leaves behind.
//
//   # a comment
//   define NAME ... end-define      directives reused by `use NAME`
//   === name of the case
//   only wine | only native         run the case in one mode only
//   only linked                     not when the runner binds a loaded library
//   cwd PATH                        run in this folder of the working directory
//   arg TEXT                        one argument, the rest of the line verbatim
//   arg-repeat CHAR COUNT           one argument of COUNT copies of CHAR
//   file PATH [MODS] <<END          a file, its lines up to the line END
//   file PATH gen COUNT TEXT        a file of COUNT copies of TEXT (esc rules)
//   dir PATH                        an empty directory
//   fifo PATH                       a named pipe (POSIX only)
//   symlink PATH TARGET             a symbolic link
//   stdout [MODS] <<END             the expected standard output
//   exit N                          the expected exit code
//   max-seconds N                   the run ends within N seconds
//   expect-file PATH [MODS] <<END   a file that must exist with this content
//   expect-absent PATH              a file that must not exist
//   expect-unchanged PATH           a laid-out file that must be untouched
//   expect-same PATH OTHER          two files with the same bytes after the run
//   expect-nowhere TEXT             TEXT in neither the output nor any file left
//   library KEY PATH                a copy of the library the runner was given
//                                   as --library-file KEY=FILE
//   use NAME                        the directives of a definition
//
// MODS: `nonl` (no line end after the last line), `esc` (\n \r \t \\ \xHH).
// Any directive may carry `.wine` or `.native` to apply in that mode only.
// PATH is relative to the working directory; `bin/...` is the executable's
// folder (where Kestrovan.ini lives); `C:/...` is the Wine prefix's C: drive.
// The working directory is drive D: under Wine and its current directory.
// Expected texts may hold {{TIME}} (HH:MM:SS) and {{*}} (anything on a line);
// {{VERSION}} stands for the version text given as --version-text.
//
// With --rfc-library FILE every case runs through that library, loaded at
// run time: the runner copies it beside the executable and puts its name as
// "RfcLibrary=" at the top of bin/Kestrovan.ini (a case's own RfcLibrary line
// comes later and wins); --ini-line puts any other setting there, such as
// "Parallel=4". Every case also checks the built-in library's
// ledger: a run that ends by itself leaves no connection and no table open,
// a run ended by the fatal-error report no connection (with --ini-line
// Parallel=... not even that: the report ends the process while other turns
// hold their connections).
#include <fcntl.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <map>
#include <sstream>
#include <string>
#include <thread>
#include <vector>

namespace fs = std::filesystem;

namespace {

struct Line {
  std::string text;
  int number;
};

struct FileSpec {
  std::string path;
  std::string content;
};

struct Case {
  std::string name;
  std::string source;
  std::vector<std::string> arguments;
  std::vector<FileSpec> files;
  std::vector<std::string> dirs;
  std::vector<std::string> fifos;
  std::vector<std::pair<std::string, std::string>> symlinks;
  std::vector<std::pair<std::string, std::string>> same_files;
  std::vector<std::string> secrets;
  bool has_stdout = false;
  std::string expected_stdout;
  int expected_exit = 0;
  bool has_exit = false;
  std::vector<FileSpec> expected_files;
  std::vector<std::string> absent_files;
  std::vector<std::string> unchanged_files;
  std::vector<std::pair<std::string, std::string>> libraries;  // key, path
  bool linked_only = false;
  double max_seconds = 0;  // 0: no bound beyond the runner's own
  std::string skip_mode;   // "wine" or "native": skip in that mode
  std::string cwd;         // below the working directory
};

struct Failure {
  std::string what;
};

std::string unescape(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '\\' || i + 1 >= text.size()) {
      out.push_back(text[i]);
      continue;
    }
    char next = text[++i];
    switch (next) {
      case 'n':
        out.push_back('\n');
        break;
      case 'r':
        out.push_back('\r');
        break;
      case 't':
        out.push_back('\t');
        break;
      case '\\':
        out.push_back('\\');
        break;
      case 'x':
        if (i + 2 < text.size()) {
          out.push_back(static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16)));
          i += 2;
        }
        break;
      default:
        out.push_back('\\');
        out.push_back(next);
    }
  }
  return out;
}

std::vector<std::string> tokenize(const std::string& line) {
  std::vector<std::string> tokens;
  std::size_t i = 0;
  while (i < line.size()) {
    while (i < line.size() && line[i] == ' ') ++i;
    if (i >= line.size()) break;
    std::string token;
    if (line[i] == '"') {
      ++i;
      while (i < line.size() && line[i] != '"') token.push_back(line[i++]);
      ++i;
    } else {
      while (i < line.size() && line[i] != ' ') token.push_back(line[i++]);
    }
    tokens.push_back(token);
  }
  return tokens;
}

class Parser {
 public:
  Parser(std::string source, std::vector<Line> lines, std::string mode, std::string version)
      : source_(std::move(source)),
        lines_(std::move(lines)),
        mode_(std::move(mode)),
        version_(std::move(version)) {}

  std::vector<Case> parse() {
    std::vector<Case> cases;
    while (pos_ < lines_.size()) {
      const Line& line = lines_[pos_++];
      if (line.text.empty() || line.text[0] == '#') continue;
      if (line.text.rfind("define ", 0) == 0) {
        read_definition(line.text.substr(7));
      } else if (line.text.rfind("=== ", 0) == 0) {
        cases.push_back(Case{});
        cases.back().name = line.text.substr(4);
        cases.back().source = source_ + ":" + std::to_string(line.number);
      } else if (cases.empty()) {
        error(line, "directive outside a case");
      } else {
        apply(cases.back(), line);
      }
    }
    return cases;
  }

 private:
  [[noreturn]] void error(const Line& line, const std::string& what) {
    std::cerr << source_ << ":" << line.number << ": " << what << "\n";
    std::exit(2);
  }

  void read_definition(const std::string& name) {
    std::vector<Line> body;
    while (pos_ < lines_.size() && lines_[pos_].text != "end-define")
      body.push_back(lines_[pos_++]);
    ++pos_;
    definitions_[name] = body;
  }

  // The block after a `<<MARK` directive.
  std::string read_block(const Line& line, const std::vector<std::string>& tokens,
                         std::vector<Line>& lines, std::size_t& pos) {
    std::string mark;
    bool nonl = false, esc = false;
    for (const std::string& token : tokens) {
      if (token.rfind("<<", 0) == 0) mark = token.substr(2);
      if (token == "nonl") nonl = true;
      if (token == "esc") esc = true;
    }
    if (mark.empty()) error(line, "missing <<MARK");
    std::string content;
    bool first = true;
    while (true) {
      if (pos >= lines.size()) error(line, "block without its end mark " + mark);
      const Line& next = lines[pos++];
      if (next.text == mark) break;
      if (!first) content += "\n";
      content += next.text;
      first = false;
    }
    if (!nonl && !first) content += "\n";
    for (std::size_t at; (at = content.find("{{VERSION}}")) != std::string::npos;) {
      content.replace(at, 11, version_);
    }
    return esc ? unescape(content) : content;
  }

  void apply(Case& c, const Line& line) { apply_in(c, line, lines_, pos_); }

  void apply_in(Case& c, const Line& line, std::vector<Line>& lines, std::size_t& pos) {
    std::string text = line.text;
    std::string keyword = text.substr(0, text.find(' '));
    std::string rest = text.size() > keyword.size() ? text.substr(keyword.size() + 1) : "";
    bool applies = true;
    for (const char* m : {"wine", "native"}) {
      std::string suffix = std::string(".") + m;
      if (keyword.size() > suffix.size() &&
          keyword.compare(keyword.size() - suffix.size(), suffix.size(), suffix) == 0) {
        keyword.resize(keyword.size() - suffix.size());
        applies = mode_ == m;
      }
    }
    std::vector<std::string> tokens = tokenize(rest);
    if (keyword == "arg") {
      if (applies) c.arguments.push_back(rest);
    } else if (keyword == "arg-repeat") {
      if (applies) c.arguments.push_back(std::string(std::stoul(tokens.at(1)), tokens.at(0)[0]));
    } else if (keyword == "only") {
      if (tokens.at(0) == "linked") {
        c.linked_only = true;
      } else {
        c.skip_mode = tokens.at(0) == "wine" ? "native" : "wine";
      }
    } else if (keyword == "max-seconds") {
      if (applies) c.max_seconds = std::stod(tokens.at(0));
    } else if (keyword == "library") {
      if (applies) c.libraries.push_back({tokens.at(0), tokens.at(1)});
    } else if (keyword == "cwd") {
      if (applies) c.cwd = tokens.at(0);
    } else if (keyword == "exit") {
      if (applies) {
        c.expected_exit = std::stoi(tokens.at(0));
        c.has_exit = true;
      }
    } else if (keyword == "dir") {
      if (applies) c.dirs.push_back(tokens.at(0));
    } else if (keyword == "fifo") {
      if (applies) c.fifos.push_back(tokens.at(0));
    } else if (keyword == "symlink") {
      if (applies) c.symlinks.push_back({tokens.at(0), tokens.at(1)});
    } else if (keyword == "expect-same") {
      if (applies) c.same_files.push_back({tokens.at(0), tokens.at(1)});
    } else if (keyword == "expect-nowhere") {
      if (applies) c.secrets.push_back(rest);
    } else if (keyword == "expect-absent") {
      if (applies) c.absent_files.push_back(tokens.at(0));
    } else if (keyword == "expect-unchanged") {
      if (applies) c.unchanged_files.push_back(tokens.at(0));
    } else if (keyword == "file" && tokens.size() >= 4 && tokens[1] == "gen") {
      std::string piece = unescape(tokens[3]);
      std::string content;
      for (unsigned long i = std::stoul(tokens[2]); i > 0; --i) content += piece;
      if (applies) c.files.push_back({tokens[0], content});
    } else if (keyword == "file" || keyword == "expect-file" || keyword == "stdout") {
      std::string content = read_block(line, tokens, lines, pos);
      if (!applies) return;
      if (keyword == "file") c.files.push_back({tokens.at(0), content});
      if (keyword == "expect-file") c.expected_files.push_back({tokens.at(0), content});
      if (keyword == "stdout") {
        c.expected_stdout = content;
        c.has_stdout = true;
      }
    } else if (keyword == "use") {
      auto found = definitions_.find(rest);
      if (found == definitions_.end()) error(line, "unknown definition " + rest);
      std::vector<Line> body = found->second;
      std::size_t inner = 0;
      while (inner < body.size()) {
        Line directive = body[inner++];
        if (directive.text.empty() || directive.text[0] == '#') continue;
        apply_in(c, directive, body, inner);
      }
    } else {
      error(line, "unknown directive " + keyword);
    }
  }

  std::string source_;
  std::vector<Line> lines_;
  std::string mode_;
  std::string version_;
  std::size_t pos_ = 0;
  std::map<std::string, std::vector<Line>> definitions_;
};

// Matches `actual` against `expected`, where {{TIME}} stands for HH:MM:SS and
// {{*}} for any characters up to the end of a line.
bool matches(const std::string& expected, std::size_t e, const std::string& actual, std::size_t a) {
  while (e < expected.size()) {
    if (expected.compare(e, 8, "{{TIME}}") == 0) {
      if (a + 8 > actual.size()) return false;
      for (int i = 0; i < 8; ++i) {
        char c = actual[a + i];
        bool colon = i == 2 || i == 5;
        if (colon ? c != ':' : (c < '0' || c > '9')) return false;
      }
      e += 8;
      a += 8;
      continue;
    }
    if (expected.compare(e, 5, "{{*}}") == 0) {
      e += 5;
      for (std::size_t end = a;; ++end) {
        if (matches(expected, e, actual, end)) return true;
        if (end >= actual.size() || actual[end] == '\n') return false;
      }
    }
    if (a >= actual.size() || expected[e] != actual[a]) return false;
    ++e;
    ++a;
  }
  return a == actual.size();
}

std::string read_file(const fs::path& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream content;
  content << in.rdbuf();
  return content.str();
}

void write_file(const fs::path& path, const std::string& content) {
  fs::create_directories(path.parent_path());
  std::ofstream out(path, std::ios::binary);
  out << content;
}

std::string show(const std::string& text) {
  std::string out;
  for (unsigned char c : text) {
    if (c == '\n') {
      out += "\\n\n";
    } else if (c == '\r') {
      out += "\\r";
    } else if (c < 0x20 || c >= 0x7f) {
      char buffer[8];
      std::snprintf(buffer, sizeof buffer, "\\x%02x", c);
      out += buffer;
    } else {
      out.push_back(static_cast<char>(c));
    }
  }
  return out.size() > 4000 ? out.substr(0, 4000) + "...(cut)" : out;
}

struct Result {
  std::string out;
  std::string err;
  int exit_code = -1;
  bool timed_out = false;
};

Result run_process(const std::vector<std::string>& command, const fs::path& cwd,
                   const std::vector<std::string>& environment, int timeout_seconds) {
  int out_pipe[2], err_pipe[2];
  if (pipe(out_pipe) != 0 || pipe(err_pipe) != 0) {
    perror("pipe");
    std::exit(2);
  }
  pid_t pid = fork();
  if (pid == 0) {
    if (chdir(cwd.c_str()) != 0) _exit(127);
    dup2(out_pipe[1], 1);
    dup2(err_pipe[1], 2);
    int devnull = open("/dev/null", O_RDONLY);
    dup2(devnull, 0);
    close(out_pipe[0]);
    close(err_pipe[0]);
    for (const std::string& variable : environment) putenv(const_cast<char*>(variable.c_str()));
    std::vector<char*> argv;
    for (const std::string& part : command) argv.push_back(const_cast<char*>(part.c_str()));
    argv.push_back(nullptr);
    execvp(argv[0], argv.data());
    _exit(127);
  }
  close(out_pipe[1]);
  close(err_pipe[1]);
  Result result;
  // Wine's helper processes may inherit the pipes and outlive the program, so
  // the end of the program, not the end of the pipes, ends the reading.
  fcntl(out_pipe[0], F_SETFL, O_NONBLOCK);
  fcntl(err_pipe[0], F_SETFL, O_NONBLOCK);
  auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(timeout_seconds);
  char buffer[65536];
  auto drain = [&](int fd, std::string& sink) {
    bool any = false;
    ssize_t count;
    while ((count = read(fd, buffer, sizeof buffer)) > 0) {
      sink.append(buffer, static_cast<std::size_t>(count));
      any = true;
    }
    return any;
  };
  int status = 0;
  while (true) {
    bool out_read = drain(out_pipe[0], result.out);
    bool err_read = drain(err_pipe[0], result.err);
    bool progressed = out_read || err_read;
    pid_t done = waitpid(pid, &status, WNOHANG);
    if (done == pid) {
      drain(out_pipe[0], result.out);
      drain(err_pipe[0], result.err);
      break;
    }
    if (std::chrono::steady_clock::now() > deadline) {
      kill(pid, SIGKILL);
      waitpid(pid, &status, 0);
      result.timed_out = true;
      break;
    }
    if (!progressed) std::this_thread::sleep_for(std::chrono::milliseconds(1));
  }
  close(out_pipe[0]);
  close(err_pipe[0]);
  result.exit_code = WIFEXITED(status) ? WEXITSTATUS(status) : 128 + WTERMSIG(status);
  return result;
}

std::string fold_crlf(const std::string& text) {
  std::string out;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out.push_back(text[i]);
  }
  return out;
}

struct Runner {
  std::string mode;  // "native" or "wine"
  fs::path exe;
  fs::path prefix;  // Wine prefix
  fs::path root;    // the case folder, laid anew for every case
  std::string wine = "wine";
  fs::path rfc_library;                           // bound by every case when set
  std::vector<std::string> ini_lines;             // put first into every Kestrovan.ini
  std::map<std::string, fs::path> library_files;  // for `library KEY PATH`

  fs::path work() const { return root / "work"; }
  fs::path bin() const { return root / "bin"; }

  fs::path place(const std::string& path) const {
    if (path.rfind("bin/", 0) == 0) return bin() / path.substr(4);
    if (path.rfind("C:/", 0) == 0) return prefix / "drive_c" / path.substr(3);
    return work() / path;
  }

  void prepare() {
    fs::remove_all(root);
    fs::create_directories(work());
    fs::create_directories(bin());
    fs::path target = bin() / exe.filename();
    std::error_code ignored;
    fs::create_hard_link(exe, target, ignored);
    if (ignored) fs::copy_file(exe, target);
    if (mode == "wine") {
      fs::path drive_d = prefix / "dosdevices" / "d:";
      fs::remove(drive_d);
      fs::create_directory_symlink(work(), drive_d);
      fs::remove(prefix / "drive_c" / "PRTG_Path.Txt");
    }
  }

  static constexpr const char* kLedger = ".rfcsim-ledger";

  // Puts the runner's settings first into Kestrovan.ini (after a byte-order
  // mark the case may have put there), so that a case's own lines win: the
  // library, copied beside the executable, and the --ini-line lines.
  void put_settings() {
    std::string lines;
    if (!rfc_library.empty()) {
      fs::copy_file(rfc_library, bin() / rfc_library.filename(),
                    fs::copy_options::overwrite_existing);
      lines += "RfcLibrary=" + rfc_library.filename().string() + "\n";
    }
    for (const std::string& line : ini_lines) lines += line + "\n";
    fs::path ini = bin() / "Kestrovan.ini";
    std::string content = fs::exists(ini) ? read_file(ini) : "";
    std::string bom = content.rfind("\xEF\xBB\xBF", 0) == 0 ? content.substr(0, 3) : "";
    write_file(ini, bom + lines + content.substr(bom.size()));
  }

  // The built-in library's ledger of what the run left open; removed so that
  // the case sees only the files of the sensor itself.
  void check_ledger(const fs::path& ledger, int exit_code, std::vector<Failure>& failures) const {
    bool parallel = false;
    for (const std::string& line : ini_lines)
      parallel = parallel || line.rfind("Parallel=", 0) == 0;
    if (!fs::exists(ledger)) return;
    std::ifstream in(ledger);
    std::string line;
    while (std::getline(in, line)) {
      unsigned long connections = 0, tables = 0;
      if (std::sscanf(line.c_str(), "connections=%lu tables=%lu", &connections, &tables) != 2) {
        failures.push_back({"unreadable ledger line: " + line});
      } else if (exit_code == 1 && parallel) {
        // The fatal error ended the process in the middle of other turns.
      } else if (connections != 0 || (exit_code != 1 && tables != 0)) {
        failures.push_back({"the run left open: " + line});
      }
    }
    in.close();
    fs::remove(ledger);
  }

  // Wine's launcher now and then gives up on a program before it runs at
  // all ("Application could not be started ... ShellExecuteEx failed"). Such
  // a case is laid out anew and run again, at most kWineStartTries times in
  // all; the note shows that it happened.
  static constexpr int kWineStartTries = 3;

  std::vector<Failure> run(const Case& c) {
    for (int attempt = 1;; ++attempt) {
      bool not_started = false;
      std::vector<Failure> failures = run_once(c, not_started);
      if (!not_started || attempt == kWineStartTries) return failures;
      std::cout << "note: Wine did not start the program in " << c.source << " " << c.name
                << "; the case runs again\n";
    }
  }

  std::vector<Failure> run_once(const Case& c, bool& not_started) {
    prepare();
    std::vector<Failure> failures;
    std::map<std::string, std::string> laid_out;
    for (const std::string& dir : c.dirs) fs::create_directories(place(dir));
    for (const std::string& fifo : c.fifos) mkfifo(place(fifo).c_str(), 0600);
    for (const auto& [link, target] : c.symlinks) fs::create_symlink(target, place(link));
    for (const FileSpec& file : c.files) {
      write_file(place(file.path), file.content);
      laid_out[file.path] = file.content;
    }
    for (const auto& [key, path] : c.libraries) {
      auto found = library_files.find(key);
      if (found == library_files.end()) return {{"no --library-file " + key}};
      fs::create_directories(place(path).parent_path());
      fs::copy_file(found->second, place(path), fs::copy_options::overwrite_existing);
    }
    if (!rfc_library.empty() || !ini_lines.empty()) put_settings();
    std::vector<std::string> command;
    std::vector<std::string> environment;
    if (mode == "wine") {
      command = {wine, (bin() / exe.filename()).string()};
      environment = {"WINEPREFIX=" + prefix.string(), "WINEDEBUG=-all",
                     "WINEDLLOVERRIDES=mscoree,mshtml="};
    } else {
      command = {(bin() / exe.filename()).string()};
    }
    environment.push_back(std::string("RFCSIM_LEDGER=") + kLedger);
    command.insert(command.end(), c.arguments.begin(), c.arguments.end());
    fs::path folder = c.cwd.empty() ? work() : place(c.cwd);
    fs::create_directories(folder);
    auto begun = std::chrono::steady_clock::now();
    Result result = run_process(command, folder, environment, 30);
    not_started = mode == "wine" && result.out.rfind("Application could not be started", 0) == 0;
    double seconds =
        std::chrono::duration<double>(std::chrono::steady_clock::now() - begun).count();
    if (c.max_seconds > 0 && seconds > c.max_seconds) {
      failures.push_back({"took " + std::to_string(seconds) + " s, more than " +
                          std::to_string(c.max_seconds) + " s"});
    }
    check_ledger(folder / kLedger, result.exit_code, failures);

    std::string out = mode == "wine" ? fold_crlf(result.out) : result.out;
    if (result.timed_out) failures.push_back({"timed out"});
    if (c.has_stdout && !matches(c.expected_stdout, 0, out, 0)) {
      failures.push_back({"standard output differs\n--- expected\n" + show(c.expected_stdout) +
                          "\n--- actual\n" + show(out)});
    }
    if (c.has_exit && result.exit_code != c.expected_exit) {
      failures.push_back({"exit code " + std::to_string(result.exit_code) + ", expected " +
                          std::to_string(c.expected_exit)});
    }
    if (mode == "native" && !result.err.empty()) {
      failures.push_back({"standard error is not empty:\n" + show(result.err)});
    }
    for (const FileSpec& file : c.expected_files) {
      fs::path path = place(file.path);
      if (!fs::exists(path)) {
        failures.push_back({"missing file " + file.path});
      } else if (!matches(file.content, 0, read_file(path), 0)) {
        failures.push_back({"file " + file.path + " differs\n--- expected\n" + show(file.content) +
                            "\n--- actual\n" + show(read_file(path))});
      }
    }
    for (const std::string& path : c.absent_files) {
      if (fs::exists(place(path)))
        failures.push_back(
            {"file " + path + " should not exist:\n" + show(read_file(place(path)))});
    }
    for (const std::string& path : c.unchanged_files) {
      auto found = laid_out.find(path);
      if (found == laid_out.end() || !fs::exists(place(path)) ||
          read_file(place(path)) != found->second) {
        failures.push_back({"file " + path + " was changed"});
      }
    }
    for (const auto& [path, other] : c.same_files) {
      if (!fs::exists(place(path)) || read_file(place(path)) != read_file(place(other))) {
        failures.push_back({"file " + path + " does not equal " + other});
      }
    }
    for (const std::string& secret : c.secrets) {
      if (out.find(secret) != std::string::npos) {
        failures.push_back({"standard output holds " + secret});
      }
      for (const auto& entry : fs::recursive_directory_iterator(work())) {
        if (entry.is_regular_file() && read_file(entry.path()).find(secret) != std::string::npos &&
            laid_out.count(fs::relative(entry.path(), work()).string()) == 0) {
          failures.push_back({"file " + entry.path().string() + " holds " + secret});
        }
      }
    }
    for (const FileSpec& file : c.files) {
      if (file.path.rfind("C:/", 0) == 0) fs::remove(place(file.path));
    }
    return failures;
  }
};

std::vector<Line> read_lines(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::cerr << "cannot read " << path << "\n";
    std::exit(2);
  }
  std::vector<Line> lines;
  std::string text;
  int number = 0;
  while (std::getline(in, text)) lines.push_back({text, ++number});
  return lines;
}

}  // namespace

int main(int argc, char** argv) {
  Runner runner;
  runner.mode = "native";
  std::vector<std::string> files;
  std::string filter;
  std::string version;
  for (int i = 1; i < argc; ++i) {
    std::string arg = argv[i];
    if (arg == "--exe" && i + 1 < argc) {
      runner.exe = fs::absolute(argv[++i]);
    } else if (arg == "--wine-prefix" && i + 1 < argc) {
      runner.mode = "wine";
      runner.prefix = fs::absolute(argv[++i]);
    } else if (arg == "--rfc-library" && i + 1 < argc) {
      runner.rfc_library = fs::absolute(argv[++i]);
    } else if (arg == "--library-file" && i + 1 < argc) {
      std::string key_and_file = argv[++i];
      std::size_t equals = key_and_file.find('=');
      if (equals == std::string::npos) {
        std::cerr << "--library-file takes KEY=FILE\n";
        return 2;
      }
      runner.library_files[key_and_file.substr(0, equals)] =
          fs::absolute(key_and_file.substr(equals + 1));
    } else if (arg == "--ini-line" && i + 1 < argc) {
      runner.ini_lines.push_back(argv[++i]);
    } else if (arg == "--version-text" && i + 1 < argc) {
      version = argv[++i];
    } else if (arg == "--filter" && i + 1 < argc) {
      filter = argv[++i];
    } else {
      files.push_back(arg);
    }
  }
  if (runner.exe.empty() || files.empty()) {
    std::cerr << "usage: scenario_runner --exe PROGRAM [--wine-prefix DIR] [--rfc-library FILE] "
                 "[--library-file KEY=FILE]... [--ini-line TEXT]... [--version-text TEXT] "
                 "[--filter TEXT] FILE...\n";
    return 2;
  }
  char folder[] = "/tmp/kestrovan-scenario-XXXXXX";
  if (!mkdtemp(folder)) {
    perror("mkdtemp");
    return 2;
  }
  runner.root = fs::path(folder) / "case";

  int passed = 0, failed = 0, skipped = 0;
  for (const std::string& file : files) {
    Parser parser(file, read_lines(file), runner.mode, version);
    for (const Case& c : parser.parse()) {
      if (c.skip_mode == runner.mode || (c.linked_only && !runner.rfc_library.empty()) ||
          (!filter.empty() && c.name.find(filter) == std::string::npos)) {
        ++skipped;
        continue;
      }
      std::vector<Failure> failures = runner.run(c);
      if (failures.empty()) {
        ++passed;
        continue;
      }
      ++failed;
      std::cout << "FAIL " << c.source << " " << c.name << " [" << runner.mode
                << (runner.rfc_library.empty() ? "" : ", loaded library") << "]\n";
      for (const Failure& failure : failures) std::cout << "  " << failure.what << "\n";
    }
  }
  fs::remove_all(folder);
  std::string label = runner.mode;
  if (!runner.rfc_library.empty()) label += " (" + runner.rfc_library.filename().string() + ")";
  for (const std::string& line : runner.ini_lines) label += " (" + line + ")";
  std::cout << label << " scenarios: " << passed << " passed, " << failed << " failed, " << skipped
            << " skipped\n";
  return failed == 0 ? 0 : 1;
}
