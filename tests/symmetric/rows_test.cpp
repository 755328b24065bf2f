// rows_test.cpp: the block-cipher and DUKPT rows through GO!: published vectors, key check values and every
// refusal, family by family from tests/data.
#include "core/handlers.h"
#include "tests/support/cases.h"

namespace {

class Symmetric : public RowCases, public ::testing::WithParamInterface<const char*> {};

TEST_P(Symmetric, Cases)
{
    for (const Json& c : read_cases(GetParam()))
        check(c);
}

INSTANTIATE_TEST_SUITE_P(Families, Symmetric, ::testing::Values("aes", "des", "tdes", "dukpt"));

// A handler called for a row whose id it does not serve reports an internal error.
TEST_F(Workbench, UnservedRowsAreInternalErrors)
{
    using Call = std::pair<const char*, int (*)()>;
    for (auto [row, handler] : {Call{"XOR", block_cipher_handler}, Call{"DES", ipek_handler}, Call{"XOR", digest_handler}}) {
        choose(row);
        EXPECT_EQ(handler(), 0) << row;
    }
    ASSERT_EQ(w.messages.size(), 3u);
    for (const FakeMessage& m : w.messages)
        EXPECT_EQ(m.text + " / " + m.caption + (m.icon == MessageIcon::Error ? " / error" : ""), "ERROR! / Ooops! / error");
}

} // namespace
