// One quiz per MPD. MPD has one queue, and two quizzes on it would undo each other: each replaces the
// queue with its song and puts back the user's queue when it quits. The lock is a file in the user's state
// folder, where the scripts keep that queue, named for the MPD as its clients find it (MPD_HOST without a
// password, MPD_PORT, after their defaults). A lock left by a run that crashed is taken over.
#pragma once

#include <QLockFile>
#include <QString>
#include <memory>

class QuizLock {
public:
    // Takes the lock for the MPD that the environment names; false when another quiz holds it. A lock
    // that cannot be made at all (no state folder) keeps no one out: the scripts refuse to replace the
    // queue then.
    bool TryLock();
    // The MPD as the user would name it: "socket /run/mpd/socket", "localhost port 6600".
    static QString Where();

private:
    std::unique_ptr<QLockFile> file_;
};
