// Helpers of the PMX tests: a fixture with a scratch folder and the console settings reset,
// readPmx/writePatchedPmx runs that return what they printed, and a byte splice that builds
// the copy a save must produce.
#pragma once

#include <gtest/gtest.h>

#include "pmx/display_level.h"
#include "pmx/model.h"
#include "pmx/reader.h"
#include "pmx/writer.h"
#include "tests/support/io_test_files.h"
#include "tests/support/pmx_builder.h"
#include "text/language.h"

namespace pmxtest {

using Bytes = std::vector<std::uint8_t>;

struct Outcome {
    int result;
    std::string text; // everything printed through the console
};

// Calls f with the console captured, the converters' trace included.
template <class F>
Outcome captured(F f)
{
    iotest::Capture capture;
    const int result = f();
    return Outcome{result, capture.text()};
}

inline Outcome readModel(const std::string& path)
{
    clearModelMarks();
    return captured([&] { return readPmx(path.c_str()); });
}

// One stretch of the source replaced: `dropped` bytes at `at` give way to `put`.
struct Splice {
    std::int32_t at, dropped;
    Bytes put;
};

// The source with the splices (in ascending order) applied.
inline Bytes spliced(const Bytes& source, const std::vector<Splice>& splices)
{
    Bytes out;
    std::int32_t from = 0;
    for (const Splice& s : splices) {
        out.insert(out.end(), source.begin() + from, source.begin() + s.at);
        out.insert(out.end(), s.put.begin(), s.put.end());
        from = s.at + s.dropped;
    }
    out.insert(out.end(), source.begin() + from, source.end());
    return out;
}

// Every reading starts from display level 0 in English mode.
inline void resetConsole()
{
    setDisplayLevel(0);
    setJapaneseMode(false);
}

class PmxTest : public ::testing::Test {
protected:
    void TearDown() override { resetConsole(); }
    std::string file(const std::string& name) const { return folder.file(name); }
    Outcome readBytes(const Bytes& bytes)
    {
        EXPECT_TRUE(writeFile(path(), bytes));
        return readModel(path());
    }
    Outcome read(const PmxRecipe& recipe, PmxLayout* layout = nullptr) { return readBytes(buildPmx(recipe, layout)); }
    std::string path() const { return file("m.pmx"); }

    iotest::TempFolder folder;
};

} // namespace pmxtest
