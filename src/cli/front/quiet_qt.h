#pragma once
// The command line speaks only in its own one-line errors: Qt's warnings and debug
// messages go nowhere unless QM_DEBUG=1 is set, and a user without XDG_RUNTIME_DIR (cron,
// a service, a root shell) gets a private runtime folder instead of Qt's complaint and
// its shared fallback.
namespace qm::cli {

// Called first thing by both programs of the command line (qm hands its environment on
// to qm-core).
void QuietQtMessages();

}  // namespace qm::cli
