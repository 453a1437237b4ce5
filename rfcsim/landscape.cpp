#include "landscape.h"

#include <climits>
#include <cstdlib>

#include "sim_support.h"

namespace rfcsim {

namespace {

std::vector<std::string> words(std::string_view text, std::size_t max_words) {
  std::vector<std::string> result;
  while (true) {
    text = trim_blanks(text);
    if (text.empty()) break;
    if (result.size() + 1 == max_words) {
      result.emplace_back(text);
      break;
    }
    std::size_t end = text.find_first_of(" \t");
    result.emplace_back(text.substr(0, end));
    if (end == std::string_view::npos) break;
    text.remove_prefix(end);
  }
  return result;
}

bool parse_number(const std::string& text, long long low, long long high, long long& value) {
  if (text.empty()) return false;
  char* end = nullptr;
  errno = 0;
  value = std::strtoll(text.c_str(), &end, 10);
  return errno == 0 && *end == '\0' && value >= low && value <= high;
}

class Reader {
 public:
  Landscape landscape;

  void line(std::size_t number, std::string_view raw) {
    std::string_view text = trim_blanks(raw);
    if (text.empty() || text[0] == '#' || text[0] == ';') return;
    if (text.front() == '[') {
      if (text.back() != ']' || text.size() < 3) return problem(number, "broken section line");
      section(trim_blanks(text.substr(1, text.size() - 2)));
      return;
    }
    std::size_t equals = text.find('=');
    if (equals == std::string_view::npos) return problem(number, "line without '='");
    std::string key = to_upper(trim_blanks(text.substr(0, equals)));
    std::string value(trim_blanks(text.substr(equals + 1)));
    if (library_) return library_setting(number, key, value);
    if (!system_) return problem(number, "setting outside a section");
    system_setting(number, key, value);
  }

  void index() {
    for (const SimSystem& system : landscape.systems) {
      if (!system.ashost.empty()) {
        landscape.by_host.emplace(std::make_pair(to_upper(system.ashost), system.sysnr), &system);
      }
      if (!system.gwhost.empty()) {
        landscape.by_gateway.emplace(
            std::make_pair(to_upper(system.gwhost), to_upper(system.gwserv)), &system);
      }
    }
  }

 private:
  void problem(std::size_t number, const std::string& what) {
    landscape.problems.push_back("line " + std::to_string(number) + ": " + what);
  }

  void section(std::string_view name) {
    library_ = to_upper(name) == "LIBRARY";
    system_ = nullptr;
    if (library_) return;
    auto known = names_.find(to_upper(name));
    if (known != names_.end()) {
      system_ = known->second;
      return;
    }
    landscape.systems.emplace_back();
    system_ = &landscape.systems.back();
    system_->name = std::string(name);
    names_[to_upper(name)] = system_;
  }

  void library_setting(std::size_t number, const std::string& key, const std::string& value) {
    if (key != "FAIL") return problem(number, "unknown library setting");
    std::vector<std::string> parts = words(value, 2);
    if (parts.size() != 2) return problem(number, "fault without its object");
    std::string kind = to_upper(parts[0]);
    if (kind == "ITCREATE") {
      landscape.itcreate_faults.insert(to_upper(parts[1]));
    } else if (kind == "ITDELETE") {
      landscape.itdelete_faults.insert(to_upper(parts[1]));
    } else if (kind == "INSTALL") {
      landscape.install_faults.insert(to_upper(parts[1]));
    } else {
      problem(number, "unknown library fault");
    }
  }

  void system_setting(std::size_t number, const std::string& key, const std::string& value) {
    SimSystem& system = *system_;
    long long n = 0;
    if (key == "ASHOST") {
      system.ashost = value;
    } else if (key == "SYSNR") {
      if (!parse_number(value, 0, INT_MAX, n)) return problem(number, "bad sysnr");
      system.sysnr = static_cast<int>(n);
    } else if (key == "GWHOST") {
      system.gwhost = value;
    } else if (key == "GWSERV") {
      system.gwserv = value;
    } else if (key == "CLIENT") {
      system.client = value;
    } else if (key == "USER") {
      system.user = value;
    } else if (key == "PASSWD") {
      system.passwd = value;
    } else if (key == "LATENCY_MS") {
      if (!parse_number(value, 0, 600000, n)) return problem(number, "bad latency_ms");
      system.latency_ms = static_cast<unsigned>(n);
    } else if (key.rfind("RFCSI.", 0) == 0) {
      system.rfcsi[key.substr(6)] = value;
    } else if (key.rfind("DB02.", 0) == 0) {
      system.db02[key.substr(5)] = value;
    } else if (key.rfind("ROWS.", 0) == 0) {
      if (!parse_number(value, 0, static_cast<long long>(kMaxRows), n)) {
        return problem(number, "bad row count");
      }
      system.rows[key.substr(5)] = static_cast<unsigned long>(n);
    } else if (key == "FAIL") {
      fault(number, value);
    } else {
      problem(number, "unknown setting");
    }
  }

  void fault(std::size_t number, const std::string& value) {
    SimSystem& system = *system_;
    std::vector<std::string> parts = words(value, 4);
    if (parts.size() == 1 && to_upper(parts[0]) == "LOGON") {
      system.fail_logon = true;
      return;
    }
    if (parts.size() < 2) return problem(number, "unknown fault");
    std::string function = to_upper(parts[0]);
    std::string kind = to_upper(parts[1]);
    long long code = 0;
    if (kind == "CALL" && parts.size() == 3 && parse_number(parts[2], 1, 255, code)) {
      system.call_faults[function] = static_cast<int>(code);
    } else if (kind == "RECEIVE" && parts.size() >= 3 && parse_number(parts[2], 1, 255, code)) {
      system.receive_faults[function] = {static_cast<int>(code), parts.size() > 3 ? parts[3] : ""};
    } else if (kind == "ABORT") {
      std::vector<std::string> operation = words(value, 3);
      system.abort_faults[function] = operation.size() > 2 ? operation[2] : "RfcReceive";
    } else {
      problem(number, "unknown fault");
    }
  }

  bool library_ = false;
  SimSystem* system_ = nullptr;
  std::map<std::string, SimSystem*> names_;
};

}  // namespace

Landscape parse_landscape(std::string_view text) {
  Reader reader;
  std::size_t number = 0;
  text = without_bom(text);  // Windows editors write one
  while (!text.empty()) {
    std::size_t end = text.find('\n');
    reader.line(++number, text.substr(0, end));
    text = end == std::string_view::npos ? std::string_view() : text.substr(end + 1);
  }
  reader.index();
  return std::move(reader.landscape);
}

const SimSystem* find_by_host(const Landscape& landscape, std::string_view host, int sysnr) {
  auto found = landscape.by_host.find({to_upper(host), sysnr});
  return found == landscape.by_host.end() ? nullptr : found->second;
}

const SimSystem* find_by_gateway(const Landscape& landscape, std::string_view host,
                                 std::string_view service) {
  auto found = landscape.by_gateway.find({to_upper(host), to_upper(service)});
  return found == landscape.by_gateway.end() ? nullptr : found->second;
}

}  // namespace rfcsim
