#include "program_folder.h"

#include <filesystem>

#include "temp_dir.h"

namespace vellumet::testing {

void make_program_folder(const std::string& dir, ProgramContents contents) {
  std::filesystem::create_directories(dir + "/Template");
  std::filesystem::create_directories(dir + "/buttons");
  if (contents == ProgramContents::FoldersOnly) return;

  for (const char* name : {"index_c_l.htm", "index_c_r.htm", "index_r_u.htm", "index_r_d.htm"}) {
    write_bytes(dir + "/Template/" + name,
                std::string("<HTML><!-- ") + name +
                    " -->\r\n<SCRIPT>\r\nvar LastSlide = 0;\r\nvar Ext = \"GIF\";\r\n</SCRIPT>\r\n"
                    "<FRAMESET><FRAME SRC=\"navbtn0.htm\"></FRAMESET>\r\n</HTML>\r\n");
  }
  for (const char* name : {"navbtn_c.htm", "navbtn_r.htm"}) {
    write_bytes(
        dir + "/Template/" + name,
        std::string("<HTML><!-- ") + name +
            " -->\r\n<IMG SRC=\"T_BUTTON\"><IMG SRC=\"S_BUTTON\">\r\n"
            "<IMG SRC=\"F_BUTTON\"><IMG SRC=\"P_BUTTON\"><IMG SRC=\"N_BUTTON\">\r\n"
            "<IMG SRC=\"L_BUTTON\"><IMG SRC=\"M_BUTTON\"><IMG SRC=\"D_BUTTON\">\r\n"
            "<A HREF=\"sld000.htm\">player</A>\r\n<SCRIPT>Go(0,0);</SCRIPT>\r\n"
            "<A HREF=\"DOWNLOAD_FILE\">download</A>\r\n<SELECT>\r\n</SELECT>\r\n</HTML>\r\n");
  }
  write_bytes(dir + "/Template/sld000.htm",
              "<HTML><!-- sld000.htm -->\r\n<TITLE>x</TITLE>\r\n"
              "<EMBED SRC=\"/img0/pres0.ppz\">\r\n</HTML>\r\n");
  write_bytes(dir + "/buttons/b1.gif", "GIF89a-b1");
  write_bytes(dir + "/buttons/b2.gif", "GIF89a-b2");
  std::string list;
  for (int i = 1; i <= 8; ++i) list += "buttons/b" + std::to_string(i) + ".gif\r\n";
  write_bytes(dir + "/VellumetDefault.ini", list + "0\r\n");
  write_bytes(dir + "/Vellumet.ini", list + "2\r\n");
}

}  // namespace vellumet::testing
