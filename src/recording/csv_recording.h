#pragma once

#include <fstream>
#include <string>
#include <string_view>

// The file of `monitor --csv` and of the window's recordings. Rows go to a
// file next to the target from the start; the file takes its name only with
// the first frame, so a run that never hears the gimbal (a wrong --port, a
// silent line) leaves whatever the name held before alone. An existing
// regular file is replaced only when the user asked for it. A character
// device or FIFO (/dev/stdout, a pipe) takes the rows in place, header first.
class CsvRecording {
public:
    CsvRecording() = default;
    CsvRecording(const CsvRecording&) = delete;
    CsvRecording& operator=(const CsvRecording&) = delete;
    // Removes the temporary file of a recording that never took its name.
    ~CsvRecording();

    // Starts the file with `header`. An error text when `path` is a regular
    // file and `replace` is false, is a folder or socket, or the file cannot
    // be created.
    std::string Open(const std::string& path, bool replace, std::string_view header);

    // Appends one row, giving the recording its name first. An error text
    // when either fails; the recording then takes no more rows.
    std::string Append(std::string_view row);

private:
    std::string Publish();

    std::string m_path;
    std::string m_temporary; // empty once published
    bool m_replace = false;
    bool m_failed = false;
    std::ofstream m_file;
};
