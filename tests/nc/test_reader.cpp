// Word splitting and the number rules of the reader.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "nc/ncreader.h"

namespace {

struct Word {
    char letter;
    double value;
    int line;
};

std::vector<Word> words(const std::string& text, int32_t* arcmodeout = nullptr) {
    MemoryByteSource source(text);
    WorkingCallback working;
    int32_t arcmode = 0;
    NcReader reader(source, working, arcmode);
    std::vector<Word> out;
    for (;;) {
        reader.readword();
        if (reader.letter == NcReader::kEndOfText) break;
        out.push_back({static_cast<char>(reader.letter), reader.value, reader.line});
    }
    if (arcmodeout) *arcmodeout = arcmode;
    return out;
}

double valueof(const std::string& text) {
    const auto w = words(text);
    EXPECT_EQ(w.size(), 1u) << text;
    return w.empty() ? NAN : w[0].value;
}

}  // namespace

TEST(ReaderNumbers, CoordinatesWithoutPointAreThousandths) {
    EXPECT_EQ(valueof("X1000"), 1.0);
    EXPECT_EQ(valueof("X1000."), 1000.0);
    EXPECT_EQ(valueof("X-25"), -25 * 0.001);
    EXPECT_EQ(valueof("X-.5"), -0.5);
    EXPECT_EQ(valueof("R12345"), 12345 * 0.001);
    for (const char* letter : {"I", "J", "K", "Y", "Z"})
        EXPECT_EQ(valueof(std::string(letter) + "7"), 0.007);
}

TEST(ReaderNumbers, OtherLettersAreNeverScaled) {
    EXPECT_EQ(valueof("F1000"), 1000.0);
    EXPECT_EQ(valueof("T12"), 12.0);
    EXPECT_EQ(valueof("G91"), 91.0);
    EXPECT_EQ(valueof("S2500"), 2500.0);
}

TEST(ReaderNumbers, BrokenFormsKeepTheDigitsBeforeTheBreak) {
    EXPECT_EQ(valueof("F1.2.3"), 12.0);
    EXPECT_EQ(valueof("F1-2"), 1.0);
    EXPECT_EQ(valueof("F--5"), 0.0);
    EXPECT_EQ(valueof("F-1.5.2"), 15.0);  // neither sign nor point applies
    EXPECT_EQ(valueof("X1-2"), 0.001);    // no point in the text: still thousandths
    EXPECT_EQ(valueof("X1-2.5"), 1.0);    // a point anywhere stops the scaling
}

TEST(ReaderNumbers, EmptyAndLoneSignsReadZero) {
    EXPECT_EQ(valueof("F"), 0.0);
    EXPECT_FALSE(std::signbit(valueof("F-")));
    EXPECT_EQ(valueof("X."), 0.0);
    EXPECT_TRUE(std::signbit(valueof("F-0")));
}

TEST(ReaderNumbers, ConversionIsCorrectlyRounded) {
    const char* texts[] = {"0.1",
                           "70.59035532994923",
                           "123456789012345678901234567890.5",
                           "9007199254740993",
                           "0.30000000000000004441",
                           "1.7976931348623157",
                           "2.2250738585072011",
                           "4.9406564584124654"};
    for (const char* t : texts) {
        EXPECT_EQ(valueof(std::string("F") + t), std::strtod(t, nullptr)) << t;
    }
    // 1 + 2^-53 is the exact tie between 1 and the next double; a nonzero digit far past
    // the 800th decides the rounding.
    const std::string tie = "1.00000000000000011102230246251565404236316680908203125";
    const std::string above = tie + std::string(900, '0') + "1";
    EXPECT_EQ(valueof("F" + tie), 1.0);
    EXPECT_EQ(valueof("F" + above), std::strtod(above.c_str(), nullptr));
    EXPECT_GT(valueof("F" + above), 1.0);
}

TEST(ReaderNumbers, ExtremeMagnitudes) {
    EXPECT_EQ(valueof("F1" + std::string(400, '0')), INFINITY);
    EXPECT_EQ(valueof("F-1" + std::string(400, '0') + "."), -INFINITY);
    EXPECT_EQ(valueof("F." + std::string(400, '0') + "1"), 0.0);
    EXPECT_EQ(valueof("F." + std::string(322, '0') + "5"), 5e-323);
}

TEST(ReaderNumbers, BufferEdgesDoNotChangeValues) {
    // The same words read across every position of the 10240-byte buffer boundary.
    const std::string line = "X-12.3456 Y789 Z.5 F1500.\n";
    for (size_t pad = 10200; pad < 10240; ++pad) {
        const auto w = words(std::string(pad, ' ') + line);
        ASSERT_EQ(w.size(), 4u);
        EXPECT_EQ(w[0].value, -12.3456);
        EXPECT_EQ(w[1].value, 0.789);
        EXPECT_EQ(w[2].value, 0.5);
        EXPECT_EQ(w[3].value, 1500.0);
    }
}

TEST(ReaderNumbers, OneBlankMayStandInsideANumber) {
    EXPECT_EQ(valueof("X1 2"), 0.012);
    EXPECT_EQ(valueof("X 5."), 5.0);
    const auto w = words("X1  2");
    ASSERT_EQ(w.size(), 1u);  // the 2 after two blanks is no word
    EXPECT_EQ(w[0].value, 0.001);
}

TEST(ReaderWords, LowerCaseAndStrayCharactersAreSkipped) {
    const auto w = words("g1 x10 %;=12 G1X10");
    ASSERT_EQ(w.size(), 2u);
    EXPECT_EQ(w[0].letter, 'G');
    EXPECT_EQ(w[1].letter, 'X');
    EXPECT_EQ(w[1].value, 0.01);
}

TEST(ReaderWords, LinesCountLineFeedsOnly) {
    const auto w = words("G0\r\nX1\r\r\n\nY2\rZ3");
    ASSERT_EQ(w.size(), 4u);
    EXPECT_EQ(w[0].line, 1);  // the line feed that ends G0 is read with its number
    EXPECT_EQ(w[1].line, 2);
    EXPECT_EQ(w[2].line, 3);
    EXPECT_EQ(w[3].line, 3);
    EXPECT_EQ(w[2].value, 0.002);  // a lone carriage return is passed over
}
