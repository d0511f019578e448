// The error objects of the atlas editor. Every failure outside the program's
// control is thrown as one of these, by value, and caught by reference.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

class Exception {
public:
    Exception(std::string file, std::int32_t line, std::string message, std::string fileName = std::string())
        : file(std::move(file)), message(std::move(message)), fileName(std::move(fileName)), line(line) {}
    virtual ~Exception() = default;

    Exception(const Exception&) = default;
    Exception& operator=(const Exception&) = default;

    // Read directly by the handlers that report the failure.
    std::string file;  // source file of the throw site, without its folder
    std::string message;
    std::string fileName;  // the file the failure concerns, as the caller named it; empty when none
    std::int32_t line;     // line of the throw statement
};

class IOException : public Exception {
public:
    IOException(std::string file, std::int32_t line, std::string message, std::string fileName)
        : Exception(std::move(file), line, std::move(message), std::move(fileName)) {}
};

class BadFileException : public IOException {
public:
    BadFileException(std::string file, std::int32_t line, const std::string& fileName)
        : IOException(std::move(file), line, "Bad or corrupted file:\n" + fileName, fileName) {}
};

// A file could not be saved. `note` says what else the user must know (empty
// when nothing), such as an older file that could not be put back.
class FileException : public Exception {
public:
    FileException(std::string file, std::int32_t line, std::string message, std::string fileName,
                  std::string note = std::string())
        : Exception(std::move(file), line, std::move(message), std::move(fileName)), note(std::move(note)) {}

    std::string note;
};

// __FILE__ carries whatever folder the build passed to the compiler; reports
// should read "filepair.cpp:123" however the project was built.
constexpr const char* sourceFileBaseName(const char* path) {
    const char* base = path;
    for (const char* p = path; *p != '\0'; ++p) {
        if (*p == '/' || *p == '\\') {
            base = p + 1;
        }
    }
    return base;
}

// Throws `ExceptionType` naming this throw site: THROW_AT_SITE(Exception, "Unable to read file").
#define THROW_AT_SITE(ExceptionType, ...) throw ExceptionType(sourceFileBaseName(__FILE__), __LINE__, __VA_ARGS__)
