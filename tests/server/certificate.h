// A self-signed certificate for 127.0.0.1, made when a test runs (nothing
// secret is committed, nothing expires).
#pragma once

#include <string>

namespace tav::test {

// Writes the certificate and its key (PEM) to the two files; false on failure.
bool make_self_signed(const std::string& cert_file, const std::string& key_file);

}  // namespace tav::test
