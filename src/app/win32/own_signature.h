// The patch program's check of its own signature before it changes anything: a patch whose
// signature is present but no longer matches its bytes (a payload changed after signing) is
// refused. An unsigned patch runs as ever, and so does one signed with a certificate nobody
// vouches for (a test certificate): only the signed digest is compared, not the publisher.
//
// The signature's PKCS#7 message is decoded by crypt32 (CryptMsg*), and its signer's signature
// over the content is checked with the certificate it carries; the digest it signs is read
// from its SpcIndirectDataContent and compared with the digest of the bytes it covers
// (patch/authenticode.h), hashed with the platform's CryptoAPI. WinVerifyTrust is not asked:
// it judges the publisher too, and under Wine it does not always tell a changed file from an
// unknown publisher.
#pragma once

#include <string>

#include "patch/container_start.h"

namespace Orvane {

// Shown at start-up (caption "エラー"), and the log's text of a silent run that refuses.
inline constexpr char kSignatureBroken[] =
    "修正プログラムの署名が一致しません！ファイルが壊れているか、改変されています。";

enum class OwnSignature { Unsigned, Intact, Broken };

OwnSignature CheckOwnSignature(const std::string& exePath);

// For a usable container whose signature is broken, makes kSignatureBroken the start-up failure,
// so that the patch cannot run, as with a damaged container.
void RefuseBrokenSignature(const std::string& exePath, ContainerStart& start);

}  // namespace Orvane
