// What the user reads of an error the program did not raise itself.
#include "support/errors.h"

#include <gtest/gtest.h>

#include <new>
#include <system_error>

#include "support/cp1252literal.h"

namespace navforge {
namespace {

TEST(UnexpectedErrorText, memoryAndSystemFailures_readInGerman) {
  EXPECT_EQ(UnexpectedErrorText(std::bad_alloc()), "Nicht genügend Arbeitsspeicher."_cp1252);
  const std::system_error refused(std::make_error_code(std::errc::resource_unavailable_try_again), "thread");
  EXPECT_EQ(UnexpectedErrorText(refused).rfind("Das System hat die Anfrage abgelehnt (thread", 0), 0u);
  EXPECT_EQ(UnexpectedErrorText(std::runtime_error("anders")), "anders");
}

}  // namespace
}  // namespace navforge
