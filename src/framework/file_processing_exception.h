#pragma once

#include <exception>
#include <string>

// Raised by the line readers for a data line they refuse; the message already names the
// problem, the column and the line. Caught per line by the import driver and never beyond it.
class FileProcessingException : public std::exception {
public:
    explicit FileProcessingException(std::string message) : message_(std::move(message)) {}

    // Valid as long as this exception object lives.
    const char* what() const noexcept override { return message_.c_str(); }
    std::string GetMessage() const { return message_; }

private:
    std::string message_;
};
