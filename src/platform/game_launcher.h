#pragma once

// Starting a game: the configured executable with the arguments of a join.
// The program does not wait for the game and does not track it.

#include <QString>
#include <QStringList>

class GameLauncher {
public:
    virtual ~GameLauncher() = default;
    // Starts program with arguments and returns at once. parameterText is the
    // text the arguments were split from, for whoever records a launch.
    virtual void launch(const QString& program, const QStringList& arguments,
                        const QString& parameterText) = 0;
};

// The real one: a detached process, never a shell, started in the
// executable's own folder, as these games load their files relative to it. A
// start that fails is not reported to the user; one line on standard error
// names the path and the reason for whoever started the program from a
// terminal.
class ProcessGameLauncher : public GameLauncher {
public:
    void launch(const QString& program, const QStringList& arguments,
                const QString& parameterText) override;
};

// For windows built without a way to start programs: launches nothing.
class InertGameLauncher : public GameLauncher {
public:
    void launch(const QString&, const QStringList&, const QString&) override {}
};
