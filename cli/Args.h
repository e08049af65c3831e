// Command-line parsing for the subcommands: positional arguments and long options, with
// "--name value" and "--name=value" spellings, repeatable options and "--" ending options.
// An option may also have a one-letter spelling: "-j 4" or "-j4".
#ifndef TESSOR_CLI_ARGS_H
#define TESSOR_CLI_ARGS_H

#include <map>
#include <string>
#include <vector>

namespace cli {

struct OptionSpec {
  std::string name;  // without the leading dashes: "block"
  bool takesValue = true;
  bool repeatable = false;
  char shortName = 0;  // 'j' for "-j"; 0 when the option has none
};

struct ParsedArgs {
  std::vector<std::string> positional;
  std::map<std::string, std::vector<std::string>> options;  // every value, in order
  bool help = false;                                        // -h or --help was given

  bool Has(const std::string& name) const { return options.count(name) != 0; }
  // The value of a single-valued option, or fallback when it was not given.
  std::string Value(const std::string& name, const std::string& fallback = "") const;
  const std::vector<std::string>& Values(const std::string& name) const;
};

// Throws a usage error for an unknown option, a missing value or an option given twice that
// may be given once.
ParsedArgs ParseArgs(const std::vector<std::string>& args, const std::vector<OptionSpec>& specs);

// Throws a usage error unless the number of positional arguments lies in [min, max].
void ExpectPositional(const ParsedArgs& parsed, size_t min, size_t max, const std::string& usage);

// A whole number in minValue..maxValue given to an option. Throws a usage error otherwise:
// "--rate wants a whole number of hertz from 8000 to 384000, not '44.1k'".
unsigned ParseWholeNumber(const std::string& option, const std::string& text, unsigned minValue,
                          unsigned maxValue, const std::string& what);

// A block length from "--block": a whole number in 1..maxValue. Throws a usage error otherwise.
unsigned ParseBlockSize(const std::string& text, unsigned maxValue);

}  // namespace cli

#endif
