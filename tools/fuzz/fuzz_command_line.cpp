// Feeds arbitrary arguments (the input split at zero bytes) to the reading
// of the command line: the host's options, the run mode, the window handle.
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/HostOptions.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    std::vector<std::string> words(1, "coralux");
    words.emplace_back();
    for (size_t i = 0; i < size; ++i) {
        if (data[i] == 0)
            words.emplace_back();
        else
            words.back() += static_cast<char>(data[i]);
    }
    std::vector<const char*> argv;
    for (const std::string& word : words)
        argv.push_back(word.c_str());
    SHostOptions options;
    if (ParseHostOptions(static_cast<int>(argv.size()), argv.data(), &options)) {
        const int count = static_cast<int>(options.rest.size());
        GetRunMode(count, options.rest.data());
        GetWindowArgument(count, options.rest.data());
        ApplySettingOverrides(options);
    }
    return 0;
}
