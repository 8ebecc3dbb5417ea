#include "tests/server/certificate.h"

#include <openssl/evp.h>
#include <openssl/pem.h>
#include <openssl/x509.h>
#include <openssl/x509v3.h>

#include <cstdio>
#include <memory>

namespace tav::test {

bool make_self_signed(const std::string& cert_file, const std::string& key_file) {
    std::unique_ptr<EVP_PKEY, decltype(&EVP_PKEY_free)> key(EVP_EC_gen("P-256"), EVP_PKEY_free);
    std::unique_ptr<X509, decltype(&X509_free)> cert(X509_new(), X509_free);
    if (!key || !cert) return false;
    X509_set_version(cert.get(), 2);
    ASN1_INTEGER_set(X509_get_serialNumber(cert.get()), 1);
    X509_gmtime_adj(X509_getm_notBefore(cert.get()), -3600);
    X509_gmtime_adj(X509_getm_notAfter(cert.get()), 3600);
    X509_set_pubkey(cert.get(), key.get());
    X509_NAME* name = X509_get_subject_name(cert.get());
    X509_NAME_add_entry_by_txt(name, "CN", MBSTRING_ASC, reinterpret_cast<const unsigned char*>("127.0.0.1"), -1, -1,
                               0);
    X509_set_issuer_name(cert.get(), name);
    if (X509_sign(cert.get(), key.get(), EVP_sha256()) == 0) return false;
    std::FILE* c = std::fopen(cert_file.c_str(), "w");
    std::FILE* k = std::fopen(key_file.c_str(), "w");
    const bool ok = c != nullptr && k != nullptr && PEM_write_X509(c, cert.get()) == 1 &&
                    PEM_write_PrivateKey(k, key.get(), nullptr, nullptr, 0, nullptr, nullptr) == 1;
    if (c != nullptr) std::fclose(c);
    if (k != nullptr) std::fclose(k);
    return ok;
}

}  // namespace tav::test
