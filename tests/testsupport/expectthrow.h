#pragma once
// EXPECT_THROW_MSG(statement, Exception, text): the statement throws Exception and its
// what() is exactly text.
#include <gtest/gtest.h>

#include <string>

#define EXPECT_THROW_MSG(statement, exception, message)                              \
  do {                                                                                \
    try {                                                                             \
      statement;                                                                      \
      ADD_FAILURE() << #statement " threw no " #exception;                           \
    } catch (const exception& thrown_) {                                              \
      EXPECT_EQ(std::string(thrown_.what()), std::string(message)) << #statement;     \
    }                                                                                 \
  } while (false)
