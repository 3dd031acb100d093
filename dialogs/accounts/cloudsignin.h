#pragma once

class QWidget;

namespace TindAccount {
class Client;
}

// Starts the Tindlebrook account sign-in in the browser. When no browser
// opens, the sign-in page's address is shown over `parent` to copy; the
// sign-in keeps waiting for it.
namespace CloudSignIn {

void start(TindAccount::Client *client, QWidget *parent);

} // namespace CloudSignIn
