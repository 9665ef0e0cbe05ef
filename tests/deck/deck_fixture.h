#pragma once

#include <gtest/gtest.h>
#include <QImage>
#include <map>
#include <string>
#include <vector>

#include "deck/make_show.h"
#include "temp_dir.h"

namespace vellumet::testing {

// Writes a deck with vellumet_make_deck (see make_deck.cpp for `args`);
// fails the test when it cannot.
void make_deck(const std::string& path, const std::vector<std::string>& args = {});

// A PDF of the given objects ("<< /Type /Catalog ... >>"), numbered from 1,
// with its cross-reference table and a trailer holding /Root 1 0 R and `trailer`.
std::string pdf_of(const std::vector<std::string>& objects, const std::string& trailer = "");

// Every entry below `folder` by its relative path: a regular file's bytes,
// "<folder>" or "<other>" for anything else; never reads a FIFO.
std::map<std::string, std::string> snapshot(const std::string& folder);

// Whether the slide image of page `page` (0-based) shows that page's colour
// in its square, within `tolerance` per channel.
::testing::AssertionResult shows_page_colour(const QImage& image, int page, int tolerance);

// Options for the tests: two jobs, progress not reported.
deck::Options test_options(deck::ImageFormat format = deck::ImageFormat::Png);

}  // namespace vellumet::testing
