// rows_test.cpp: the block-cipher and DUKPT rows through GO!: published vectors, key check values and every
// refusal, family by family from tests/data.
#include "tests/support/cases.h"

namespace {

class Symmetric : public RowCases, public ::testing::WithParamInterface<const char*> {};

TEST_P(Symmetric, Cases)
{
    for (const Json& c : read_cases(GetParam()))
        check(c);
}

INSTANTIATE_TEST_SUITE_P(Families, Symmetric, ::testing::Values("aes", "des", "tdes", "dukpt"));

} // namespace
