#pragma once
// Runs the statements of a scope in a session whose SQL mode holds
// ANSI_QUOTES, so that a name in double quotes is a name, and puts the
// session's mode back when the scope ends, however it ends. A session whose
// mode already holds it is left alone.
#include <string>

class TQuelmConnection;

class TQuelmAnsiQuotesScope {
public:
  explicit TQuelmAnsiQuotesScope(TQuelmConnection& connection);
  ~TQuelmAnsiQuotesScope();
  TQuelmAnsiQuotesScope(const TQuelmAnsiQuotesScope&) = delete;
  TQuelmAnsiQuotesScope& operator=(const TQuelmAnsiQuotesScope&) = delete;

private:
  TQuelmConnection& FConnection;
  std::string FSavedMode;
  bool FChanged = false;
};

// True when the comma-separated SQL mode holds ANSI_QUOTES.
bool SqlModeHasAnsiQuotes(const std::string& mode);
