// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <exception>
#include <string>

// The serial port's one error type. Its message is the text of its code,
// followed by " (win error code: N)" when a system error code (errno on this
// platform) is attached; -1 means none.
class EComPort : public std::exception {
public:
    static constexpr int kOpenFailed = 1;
    static constexpr int kStoreSettingsFailed = 16;
    static constexpr int kLoadSettingsFailed = 17;
    static constexpr int kRegistryError = 23;

    explicit EComPort(int code, int winCode = -1);

    int Code() const { return code_; }
    int WinCode() const { return winCode_; }
    QString Message() const;
    const char* what() const noexcept override { return message_.c_str(); }

    static QString TextOf(int code);

private:
    int code_;
    int winCode_;
    std::string message_;
};
