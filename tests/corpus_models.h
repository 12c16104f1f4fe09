// The shared model corpus beside the checkout. Its absence skips the corpus
// tests (with a line saying so); a corpus that is there but cannot be read,
// or holds no model, fails them, so a broken checkout never passes as a skip.
#pragma once

#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>
#include <string>
#include <system_error>
#include <vector>

namespace brimvale::test {

struct CorpusListing {
  std::filesystem::path root;
  bool present = false;
  std::string error;  // set when present but unreadable
  std::vector<std::filesystem::path> models;  // .mqo and .mqoz files, sorted
};

inline CorpusListing ListCorpus() {
  namespace fs = std::filesystem;
  CorpusListing listing;
  listing.root = fs::path(BRIMVALE_SOURCE_DIR) / ".." / "shared" / "corpus" / "mqo";
  std::error_code error;
  const fs::file_status status = fs::status(listing.root, error);
  if (status.type() == fs::file_type::not_found) return listing;
  listing.present = true;
  if (error || !fs::is_directory(status)) {
    listing.error = listing.root.string() + " is not a readable folder" + (error ? ": " + error.message() : "");
    return listing;
  }
  for (auto it = fs::recursive_directory_iterator(listing.root, error); it != fs::recursive_directory_iterator();
       it.increment(error)) {
    if (error) break;
    std::string ext = it->path().extension().string();
    std::transform(ext.begin(), ext.end(), ext.begin(), [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    if ((ext != ".mqo" && ext != ".mqoz") || !it->is_regular_file()) continue;
    if (!std::ifstream(it->path(), std::ios::binary)) {
      listing.error = "cannot read " + it->path().string();
      return listing;
    }
    listing.models.push_back(it->path());
  }
  if (error) {
    listing.error = "cannot list " + listing.root.string() + ": " + error.message();
  } else if (listing.models.empty()) {
    listing.error = listing.root.string() + " holds no model";
  }
  std::sort(listing.models.begin(), listing.models.end());
  return listing;
}

}  // namespace brimvale::test
