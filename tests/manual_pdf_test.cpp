// The printable manual beside the game: both paper sizes hold every page of the game's book, in its order,
// as searchable text that teaches what the machines check.
#include "modules/module_tables.h"
#include "support/sim_runner.h"

#include <filesystem>
#include <gtest/gtest.h>
#include <string>
#include <vector>

namespace {

struct Book {
    const char* file;
    const char* paper; // as pdfinfo names the page size
};

const Book Books[] = {{"Brimvale-Manual.pdf", "(A4)"}, {"Brimvale-Manual-Letter.pdf", "(letter)"}};

size_t GamePageCount()
{
    size_t count = 0;
    for (const auto& entry : std::filesystem::directory_iterator("Assets/Pages")) {
        count += entry.is_regular_file() ? 1 : 0;
    }
    return count;
}

std::string PageText(const std::string& pdf, int page)
{
    const std::string number = std::to_string(page);
    SimResult text = RunProgram("/usr/bin/pdftotext", {"-f", number, "-l", number, "-layout", pdf, "-"});
    EXPECT_EQ(text.status, 0) << text.err;
    return text.out;
}

TEST(ManualPdf, EachPaperSizeHoldsTheWholeBookInOrderWithPageNumbers)
{
    const size_t pages = GamePageCount();
    ASSERT_GE(pages, 12u) << "the cover, the desk, the four start-up pages, six machines and the blank page";
    for (const Book& book : Books) {
        SCOPED_TRACE(book.file);
        SimResult info = RunProgram("/usr/bin/pdfinfo", {book.file});
        ASSERT_EQ(info.status, 0) << "pdfinfo (poppler-utils) on " << book.file << ": " << info.err;
        EXPECT_NE(info.out.find("Pages:           " + std::to_string(pages) + "\n"), std::string::npos) << info.out;
        EXPECT_NE(info.out.find(book.paper), std::string::npos) << info.out;
        // The cover first, then numbered pages 1, 2, ... whose number closes the page, the blank last.
        EXPECT_NE(PageText(book.file, 1).find("OPERATOR'S"), std::string::npos);
        for (size_t page = 2; page < pages; ++page) {
            std::string text = PageText(book.file, static_cast<int>(page));
            const std::string number = std::to_string(page - 1);
            size_t last = text.find_last_not_of(" \n\f");
            ASSERT_NE(last, std::string::npos) << "page " << page << " has no text";
            EXPECT_EQ(text.substr(last + 1 - number.size(), number.size()), number) << text;
        }
        EXPECT_NE(PageText(book.file, static_cast<int>(pages)).find("intentionally left blank"), std::string::npos);
    }
}

TEST(ManualPdf, TheMachinesKeyWordsAreSearchableText)
{
    SimResult text = RunProgram("/usr/bin/pdftotext", {Books[0].file, "-"});
    ASSERT_EQ(text.status, 0) << text.err;
    std::vector<std::string> words;
    for (const auto& code : decryption_table::CodeBook)
        words.emplace_back(code.word);
    for (const auto& code : targeting_table::Codes)
        words.emplace_back(code.text);
    for (const auto& look : wavulon_table::WaveLooks)
        words.emplace_back(look);
    for (const auto& listing : phone_table::PhoneBook)
        words.emplace_back(listing.name);
    words.insert(words.end(), {"Plant boot", "Admin authentication", "Safety sign", "Reactor temperature", "SWITCH 8",
                               "Is the DAY an even number?"});
    for (const std::string& word : words) {
        EXPECT_NE(text.out.find(word), std::string::npos) << "\"" << word << "\" is not in the printed manual";
    }
}

} // namespace
