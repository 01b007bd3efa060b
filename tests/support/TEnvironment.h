// Environment variables set for one test and put back afterwards.
#pragma once

#include <QByteArray>
#include <QString>

#include <map>
#include <string>
#include <utility>

// Sets environment variables while it lives, then gives each the value (or absence) it found.
class TEnvironment {
public:
    TEnvironment() = default;
    TEnvironment(const TEnvironment&) = delete;
    TEnvironment& operator=(const TEnvironment&) = delete;
    void Set(const char* AName, const QString& AValue) {
        Save(AName);
        qputenv(AName, AValue.toUtf8());
    }
    void Unset(const char* AName) {
        Save(AName);
        qunsetenv(AName);
    }
    ~TEnvironment() {
        for (const auto& [name, saved] : FSaved) {
            if (saved.first)
                qputenv(name.c_str(), saved.second);
            else
                qunsetenv(name.c_str());
        }
    }

private:
    void Save(const char* AName) {
        if (!FSaved.count(AName)) FSaved[AName] = {qEnvironmentVariableIsSet(AName), qgetenv(AName)};
    }

    std::map<std::string, std::pair<bool, QByteArray>> FSaved;
};
