// Count of the test sources' COM objects still alive, so that a test can
// prove that everything it was handed has been released.
#pragma once

long LiveTestObjects();

// Base of every counted object: alive from construction to destruction.
class CLiveObject {
public:
    CLiveObject(const CLiveObject&) = delete;
    CLiveObject& operator=(const CLiveObject&) = delete;

protected:
    CLiveObject();
    ~CLiveObject();
};
