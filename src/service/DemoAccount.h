#pragma once
// A ready-made teacher account to try the program with.

namespace ordalis::service {

class Protocol;

inline constexpr const char* kDemoAccount = "demo";
inline constexpr const char* kDemoLoginPassword = "demo1234";
inline constexpr const char* kDemoOperationPassword = "op1234";

// Two classes of forty students in groups, three topics with standards and a few days of
// scores, all entered through the protocol itself. Does nothing when the account exists.
bool createDemoAccount(Protocol& protocol);

} // namespace ordalis::service
