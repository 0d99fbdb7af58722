#pragma once
// Real servers for the upload tests, started by the test on a free local port: an HTTP server from
// Python's standard library that parses each multipart POST and stores its part "bild" (and answers
// nothing for two minutes when the address holds "langsam"), and an FTP
// server of Debian's pyftpdlib. Both print their port and run until the test ends.

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <gtest/gtest.h>

namespace velmora::test {

inline constexpr char kHttpServer[] = R"PY(
import sys, os, time, email.parser, email.policy, http.server
ziel = sys.argv[1]
class H(http.server.BaseHTTPRequestHandler):
    def do_POST(self):
        if 'langsam' in self.path:
            time.sleep(120); return
        n = int(self.headers['Content-Length'])
        body = self.rfile.read(n)
        kopf = ('Content-Type: ' + self.headers['Content-Type'] + '\r\n\r\n').encode()
        msg = email.parser.BytesParser(policy=email.policy.HTTP).parsebytes(kopf + body)
        for teil in msg.iter_parts():
            if teil.get_param('name', header='content-disposition') == 'bild':
                name = teil.get_filename()
                if name.startswith('fehler'):
                    self.send_response(500); self.end_headers(); return
                nr = len(os.listdir(ziel))
                with open(os.path.join(ziel, '%03d-%s' % (nr, name)), 'wb') as f:
                    f.write(teil.get_payload(decode=True))
                with open(os.path.join(ziel, '%03d-%s.typ' % (nr, name)), 'w') as f:
                    f.write(teil.get_content_type())
        self.send_response(200); self.end_headers(); self.wfile.write(b'ok')
    def log_message(self, *a): pass
s = http.server.HTTPServer(('127.0.0.1', 0), H)
print(s.server_address[1], flush=True)
s.serve_forever()
)PY";

inline constexpr char kFtpServer[] = R"PY(
import sys, logging
from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import FTPHandler
from pyftpdlib.servers import FTPServer
logging.disable(logging.CRITICAL)
a = DummyAuthorizer()
a.add_user(sys.argv[2], sys.argv[3], sys.argv[1], perm='elradfmw')
class H(FTPHandler):
    authorizer = a
    passive_ports = range(40000, 60000)
s = FTPServer(('127.0.0.1', 0), H)
print(s.address[1], flush=True)
s.serve_forever()
)PY";

// The same FTP server over explicit TLS (AUTH TLS, protected data), required on both connections. It
// makes its own self-signed certificate for 127.0.0.1 (pyOpenSSL) beside the served folder.
inline constexpr char kFtpsServer[] = R"PY(
import sys, os, logging
from OpenSSL import crypto
from pyftpdlib.authorizers import DummyAuthorizer
from pyftpdlib.handlers import TLS_FTPHandler, TLS_DTPHandler
from pyftpdlib.servers import FTPServer
logging.disable(logging.CRITICAL)
k = crypto.PKey(); k.generate_key(crypto.TYPE_RSA, 2048)
c = crypto.X509(); c.get_subject().CN = '127.0.0.1'; c.set_serial_number(1)
c.gmtime_adj_notBefore(0); c.gmtime_adj_notAfter(86400); c.set_issuer(c.get_subject()); c.set_pubkey(k)
c.sign(k, 'sha256')
pem = os.path.join(os.path.dirname(os.path.abspath(sys.argv[1])), 'zertifikat.pem')
with open(pem, 'wb') as f:
    f.write(crypto.dump_privatekey(crypto.FILETYPE_PEM, k) + crypto.dump_certificate(crypto.FILETYPE_PEM, c))
a = DummyAuthorizer()
a.add_user(sys.argv[2], sys.argv[3], sys.argv[1], perm='elradfmw')
class D(TLS_DTPHandler):
    # libcurl begins the data connection's handshake before it sends STOR; pyftpdlib would close a data
    # connection that turns readable before its command.
    def readable(self):
        if self._ssl_accepting or self._ssl_want_read: return True
        if not self.receive and not self._initialized: return False
        return super().readable()
class H(TLS_FTPHandler):
    authorizer = a
    certfile = pem
    dtp_handler = D
    tls_control_required = True
    tls_data_required = True
    passive_ports = range(40000, 60000)
s = FTPServer(('127.0.0.1', 0), H)
print(s.address[1], flush=True)
s.serve_forever()
)PY";

class Server {
public:
    // args after the script
    Server(const char* skript, const QStringList& args) {
        m_p.start(QStringLiteral("/usr/bin/python3"),
                  QStringList{QStringLiteral("-c"), QString::fromUtf8(skript)} + args);
        if (!m_p.waitForStarted(10000) || !m_p.waitForReadyRead(20000)) {
            ADD_FAILURE() << "server did not start: " << m_p.readAllStandardError().toStdString();
            return;
        }
        port = m_p.readLine().trimmed().toInt();
    }
    ~Server() {
        m_p.kill();
        m_p.waitForFinished(5000);
    }
    int port = 0;

private:
    QProcess m_p;
};

} // namespace velmora::test
