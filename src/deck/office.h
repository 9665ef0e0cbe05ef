#pragma once

#include <array>
#include <atomic>
#include <chrono>
#include <string>
#include <string_view>

#include "base/file_result.h"
#include "deck/failure.h"

namespace vellumet::deck {

// The Debian package that brings LibreOffice's presentation program.
inline constexpr const char* kOfficePackage = "libreoffice-impress";

// The extensions of the presentations that go through LibreOffice.
inline constexpr std::array<const char*, 4> kOfficeExtensions = {".pptx", ".ppt", ".odp", ".key"};

// A presentation that goes through LibreOffice: its name ends in one of
// kOfficeExtensions, letters in any case.
bool is_office_deck(std::string_view name);

// The LibreOffice program to run: `given` when not empty, else "soffice" or
// "libreoffice" found on PATH; "" when there is none.
std::string find_office_program(const std::string& given);

struct OfficeSettings {
  std::string program;  // as find_office_program gives it
  std::chrono::seconds limit{300};
  const std::atomic<bool>* cancel = nullptr;
};

// Makes a PDF of the office file `deck` in `work` (a private folder of the
// caller's, removed by it): LibreOffice runs without a window, on a copy of
// the deck, with a profile of its own in `work`, so that other runs and a
// LibreOffice the user has open do not meet it. On success `pdf` is the PDF's
// path. A run past the time limit, or cancelled, is ended with everything it
// started. Returns the failure (None on success), its details in `why`.
Failure office_to_pdf(const std::string& deck, const std::string& work,
                      const OfficeSettings& settings, std::string& pdf, FileResult& why);

}  // namespace vellumet::deck
