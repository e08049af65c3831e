#include "cli/Args.h"

#include "cli/CliError.h"

#include <cerrno>
#include <cstdlib>

namespace cli {

std::string ParsedArgs::Value(const std::string& name, const std::string& fallback) const {
  auto it = options.find(name);
  return it == options.end() || it->second.empty() ? fallback : it->second.back();
}

const std::vector<std::string>& ParsedArgs::Values(const std::string& name) const {
  static const std::vector<std::string> kNone;
  auto it = options.find(name);
  return it == options.end() ? kNone : it->second;
}

ParsedArgs ParseArgs(const std::vector<std::string>& args, const std::vector<OptionSpec>& specs) {
  ParsedArgs parsed;
  bool optionsEnded = false;
  for (size_t i = 0; i < args.size(); ++i) {
    const std::string& arg = args[i];
    if (optionsEnded || arg.size() < 2 || arg[0] != '-' || arg == "-") {
      parsed.positional.push_back(arg);
      continue;
    }
    if (arg == "--") {
      optionsEnded = true;
      continue;
    }
    if (arg == "-h" || arg == "--help") {
      parsed.help = true;
      continue;
    }
    const OptionSpec* option = nullptr;
    std::string spelling;  // as the user wrote it, for messages: "--block", "-j"
    std::string value;
    bool inlineValue = false;
    if (arg.compare(0, 2, "--") == 0) {
      std::string name = arg.substr(2);
      size_t eq = name.find('=');
      if (eq != std::string::npos) {
        value = name.substr(eq + 1);
        name.erase(eq);
        inlineValue = true;
      }
      for (const OptionSpec& s : specs)
        if (s.name == name) option = &s;
      spelling = "--" + name;
    } else {
      for (const OptionSpec& s : specs)
        if (s.shortName != 0 && s.shortName == arg[1]) option = &s;
      spelling = arg.substr(0, 2);
      if (option && arg.size() > 2) {
        value = arg.substr(2);
        inlineValue = true;
      }
      if (option && inlineValue && !option->takesValue) option = nullptr;
      if (!option) spelling = arg;
    }
    if (!option) throw UsageError("unknown option '" + spelling + "' (see --help)");
    if (!option->takesValue) {
      if (inlineValue) throw UsageError("option '" + spelling + "' takes no value");
      value = "1";
    } else if (!inlineValue) {
      if (i + 1 >= args.size()) throw UsageError("option '" + spelling + "' needs a value");
      value = args[++i];
    }
    // An empty value is almost always an unset shell variable; taking it as "not given"
    // would silently render without the preset or with another component.
    if (option->takesValue && value.empty())
      throw UsageError("option '" + spelling + "' needs a value, not an empty text");
    std::vector<std::string>& values = parsed.options[option->name];
    if (!values.empty() && !option->repeatable)
      throw UsageError("option '" + spelling + "' given more than once; give it once");
    values.push_back(value);
  }
  return parsed;
}

void ExpectPositional(const ParsedArgs& parsed, size_t min, size_t max, const std::string& usage) {
  size_t n = parsed.positional.size();
  if (n < min) throw UsageError("missing arguments; usage: " + usage);
  if (n > max)
    throw UsageError("unexpected argument '" + parsed.positional[max] + "'; usage: " + usage);
}

unsigned ParseWholeNumber(const std::string& option, const std::string& text, unsigned minValue,
                          unsigned maxValue, const std::string& what) {
  errno = 0;
  char* end = nullptr;
  long long v =
      text.empty() || text[0] == '-' || text[0] == '+' ? -1 : std::strtoll(text.c_str(), &end, 10);
  if (v < static_cast<long long>(minValue) || errno != 0 || !end || *end != '\0' ||
      v > static_cast<long long>(maxValue))
    throw UsageError(option + " wants a whole number of " + what + " from " +
                     std::to_string(minValue) + " to " + std::to_string(maxValue) + ", not '" +
                     text + "'");
  return static_cast<unsigned>(v);
}

unsigned ParseBlockSize(const std::string& text, unsigned maxValue) {
  return ParseWholeNumber("--block", text, 1, maxValue, "frames");
}

}  // namespace cli
